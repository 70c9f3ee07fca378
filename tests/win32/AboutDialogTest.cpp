// The about box shown for real, read and clicked from a timer while it runs,
// and the wait box.
#include "dialogs/AboutDialog.h"
#include "dialogs/WaitBox.h"

#include <gtest/gtest.h>

#include "support/FakeShell.h"
#include "support/Screenshot.h"
#include "support/WindowTesting.h"
#include "rules/Scale.h"
#include "win32/DcScopes.h"
#include "win32/Dpi.h"
#include "win32/UniqueResource.h"

namespace tavrin {
namespace {

HWND g_box = nullptr;
COLORREF g_bannerPixel = CLR_INVALID;
bool g_versionShown = false;
RECT g_boxPlace{};

// Once the box is painted: its banner pixel and picture, a click on each link, then OK.
void CALLBACK UseTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", L"About");
    if (!box) return;
    KillTimer(nullptr, timer);
    g_box = box;
    UpdateWindow(box);
    g_bannerPixel = GetPixel(WindowDc(box).Get(), 20, 100);  // the blue field under the tiles
    g_versionShown = FindWindowExW(box, nullptr, L"Static", L"Version 9.8.7") != nullptr;
    testing::SaveWindowPicture(
        box, testing::ArtifactPath(DpiOf(box) == kBaseDpi ? "about-box.png" : "about-box-144dpi.png"));
    for (const wchar_t* link : {L"help@example.org", L"https://example.org/"}) {
        const HWND label = FindWindowExW(box, nullptr, L"Button", link);
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), BN_CLICKED), reinterpret_cast<LPARAM>(label));
    }
    GetWindowRect(box, &g_boxPlace);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(AboutDialogScaledTest, ShowsTheBannerAndOpensTheLinksThroughTheShell) {
    testing::FakeShell shell;
    const unique_hwnd owner(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    SetTimer(nullptr, 0, 100, UseTheBox);
    ShowAboutDialog(owner.get(), shell, {"9.8.7", "help@example.org", "https://example.org/"});
    ASSERT_NE(g_box, nullptr);
    // In the middle of the work area, not over its owner in the corner.
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR(g_boxPlace.left + g_boxPlace.right, workArea.left + workArea.right, 2);
    EXPECT_NEAR(g_boxPlace.top + g_boxPlace.bottom, workArea.top + workArea.bottom, 2);
    EXPECT_TRUE(g_versionShown);
    EXPECT_GT(GetBValue(g_bannerPixel), GetRValue(g_bannerPixel) + 40);
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].verb, "open");
    EXPECT_EQ(shell.requests[0].file, "mailto:help@example.org?subject=Tavrin Support");
    EXPECT_EQ(shell.requests[0].parameters, "");
    EXPECT_EQ(shell.requests[0].showCommand, kShowNormal);
    EXPECT_EQ(shell.requests[1].file, "https://example.org/");
}

// The real keys: Tab from OK reaches the mail link and Enter opens it; the next
// Tab and Space open the web link; Enter on OK ends the box.
void CALLBACK TypeIntoTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", L"About");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, timer);
    SetForegroundWindow(box);
    if (const auto reason = testing::PressKeysWithXdotool("^About$", "Tab Return Tab space Tab Return")) {
        ADD_FAILURE() << *reason;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST(AboutDialogRealKeyTest, TabReachesBothLinksAndEnterOrSpaceOpensThem) {
    testing::FakeShell shell;
    SetTimer(nullptr, 0, 100, TypeIntoTheBox);
    ShowAboutDialog(nullptr, shell, {"9.8.7", "help@example.org", "https://example.org/"});
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, "mailto:help@example.org?subject=Tavrin Support");
    EXPECT_EQ(shell.requests[1].file, "https://example.org/");
}

TEST(WaitBoxTest, IsABorderlessNoticeCentredOnItsOwnerUntilItGoes) {
    const unique_hwnd owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                                            nullptr, nullptr, nullptr));
    ShownWaitBox box = ShowWaitBox(owner.get());
    const HWND window = WaitBoxWindow(box);
    ASSERT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
    wchar_t text[64]{};
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"Exporting report to file, please wait...");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, Scaled(323, DpiOf(owner.get())));
    EXPECT_EQ(client.bottom, Scaled(114, DpiOf(owner.get())));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, 400, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, 300, 1);
    box.reset();
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tavrin
