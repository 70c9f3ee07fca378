#include "dialogs/AboutDialog.h"

#include "win32/DcScopes.h"
#include "win32/DialogBase.h"
#include "win32/ImageDecoder.h"
#include "win32/PaintScope.h"
#include "win32/ResourceData.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr int kMailLink = 100;
constexpr int kWebLink = 101;
constexpr int kVersion = 102;
constexpr SIZE kBanner{439, 112};

// A copy of a font, bold or underlined.
unique_hfont Restyled(HFONT font, bool bold, bool underline) {
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    if (bold) face.lfWeight = FW_BOLD;
    face.lfUnderline = underline ? TRUE : FALSE;
    return unique_hfont(CreateFontIndirectW(&face));
}

class AboutDialog : public DialogBase<AboutDialog> {
public:
    AboutDialog(IShell& shell, const AboutInfo& about) : shell_(shell), about_(about) {}

    void Run(HWND owner) { RunModal(owner, L"About", {440, 257}, {.centreOnScreen = true}); }

    // The banner is decoded from the stored size that is not smaller than it is shown.
    BOOL OnInitDialog() {
        banner_ = DecodeJpeg(ResourceData(Scale(kBanner.cx) > kBanner.cx ? L"AboutBanner2x" : L"AboutBanner"));
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
        boldFont_ = Restyled(font, true, false);
        linkFont_ = Restyled(font, false, true);
        AddControl(L"STATIC", L"", SS_ETCHEDHORZ, {8, 117, 432, 119}, -1);
        const HWND heading =
            AddControl(L"STATIC", L"Technical Support and Customer Assistance", 0, {16, 126, 424, 143}, -1);
        SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
        AddControl(L"STATIC", L"We are available 24x7 via our email support system.", 0, {16, 148, 424, 164}, -1);
        AddControl(L"STATIC", L"We promise you will get our response within 24 hours.", 0, {16, 166, 424, 182}, -1);
        AddControl(L"STATIC", L"Please contact our support team at :", 0, {16, 188, 220, 204}, -1);
        AddLink(about_.mailAddress, {222, 188, 432, 204}, kMailLink);
        AddControl(L"STATIC", L"Tavrin Home at:", 0, {16, 206, 220, 222}, -1);
        AddLink(about_.webAddress, {222, 206, 432, 222}, kWebLink);
        AddControl(L"STATIC", L"", SS_ETCHEDHORZ, {8, 226, 432, 228}, -1);
        AddControl(L"STATIC", Widen("Version " + about_.version).c_str(), 0, {16, 235, 176, 251}, kVersion);
        const HWND ok = AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {182, 231, 258, 254}, IDOK);
        SetFocus(ok);  // Enter at once is OK; Tab reaches the links
        return FALSE;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT:
                PaintBanner();
                return TRUE;
            case WM_DRAWITEM: {
                const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (item.CtlID != kMailLink && item.CtlID != kWebLink) return FALSE;
                DrawLink(item);
                return TRUE;
            }
            case WM_SETCURSOR: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
                if (id != kMailLink && id != kWebLink) return FALSE;
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) return FALSE;
                // Enter on a focused link asks for the default button: the link is meant.
                if (LOWORD(wParam) == IDOK && lParam != 0 && reinterpret_cast<HWND>(lParam) != GetFocus()) {
                    const int focused = GetDlgCtrlID(GetFocus());
                    if (focused == kMailLink || focused == kWebLink) wParam = MAKEWPARAM(focused, BN_CLICKED);
                }
                if (LOWORD(wParam) == kMailLink) {
                    Open("mailto:" + about_.mailAddress + "?subject=Tavrin Support");
                    return TRUE;
                }
                if (LOWORD(wParam) == kWebLink) {
                    Open(about_.webAddress);
                    return TRUE;
                }
                return FALSE;  // OK, whose click has the same code, ends the box
        }
        return FALSE;
    }

private:
    // A button drawn as a link: Tab reaches it, and a click, Space or Enter opens it.
    void AddLink(const std::string& text, const RECT& place, int id) {
        const HWND link = AddControl(L"BUTTON", Widen(text).c_str(), WS_TABSTOP | BS_OWNERDRAW, place, id);
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
    }

    // The text in the link colour on the dialog's face, with the focus rectangle once the keyboard is used.
    void DrawLink(const DRAWITEMSTRUCT& item) const {
        wchar_t text[256] = L"";
        GetWindowTextW(item.hwndItem, text, 256);
        RECT place = item.rcItem;
        FillRect(item.hDC, &place, GetSysColorBrush(COLOR_BTNFACE));
        const SelectedObject font(item.hDC, linkFont_.get());
        SetTextColor(item.hDC, RGB(0, 0, 255));
        SetBkMode(item.hDC, TRANSPARENT);
        DrawTextW(item.hDC, text, -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
        place.bottom = item.rcItem.bottom;
        place.top = item.rcItem.top;
        DrawTextW(item.hDC, text, -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &place);
    }

    void Open(const std::string& file) {
        (void)shell_.Execute(OpenRequest(file));  // a failing start is not reported
    }

    // Across the top, smoothed to the scaled size.
    void PaintBanner() {
        const PaintScope paint(Handle());
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = banner_.width;
        info.bmiHeader.biHeight = -banner_.height;  // rows from the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(paint.Dc(), HALFTONE);
        SetBrushOrgEx(paint.Dc(), 0, 0, nullptr);
        StretchDIBits(paint.Dc(), 0, 0, Scale(kBanner.cx), Scale(kBanner.cy), 0, 0, banner_.width, banner_.height,
                      banner_.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }

    IShell& shell_;
    AboutInfo about_;
    DecodedImage banner_;
    unique_hfont boldFont_;
    unique_hfont linkFont_;
};

}  // namespace

void ShowAboutDialog(HWND owner, IShell& shell, const AboutInfo& about) { AboutDialog(shell, about).Run(owner); }

}  // namespace tavrin
