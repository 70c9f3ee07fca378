#include "dialogs/AboutDialog.h"

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
        AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {182, 231, 258, 254}, IDOK);
        return TRUE;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT:
                PaintBanner();
                return TRUE;
            case WM_CTLCOLORSTATIC: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
                if (id != kMailLink && id != kWebLink) return FALSE;
                const HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 255));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            case WM_SETCURSOR: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
                if (id != kMailLink && id != kWebLink) return FALSE;
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            case WM_COMMAND:
                if (HIWORD(wParam) != STN_CLICKED) return FALSE;
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
    // A label that reports its clicks (SS_NOTIFY), drawn as a link.
    void AddLink(const std::string& text, const RECT& place, int id) {
        const HWND link = AddControl(L"STATIC", Widen(text).c_str(), SS_NOTIFY, place, id);
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
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
