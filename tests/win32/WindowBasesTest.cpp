// The window and dialog bases: a failing Win32 call or handler reaches the
// error display instead of unwinding into Windows, and a modal dialog is built
// at its client size, ends with its result and can be driven while it runs;
// the device-context scopes put back what they selected.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "win32/BaseWindow.h"
#include "win32/DcScopes.h"
#include "win32/DialogBase.h"
#include "win32/ErrorDisplay.h"
#include "win32/UniqueResource.h"

namespace tavrin {
namespace {

constexpr UINT kThrow = WM_APP + 1;

std::vector<std::string> shown;

// Collects what the error display would show, instead of a message box that waits for a user.
class CollectedErrors {
public:
    CollectedErrors() : previous_(SetErrorDisplay([](HWND, const std::string& text) { shown.push_back(text); })) {
        shown.clear();
    }
    ~CollectedErrors() { SetErrorDisplay(previous_); }

private:
    ErrorDisplay previous_;
};

class ThrowingWindow : public BaseWindow<ThrowingWindow> {
public:
    explicit ThrowingWindow(HWND parent = nullptr) {
        Create(L"TavrinTestThrowingWindow", {}, {.style = parent ? WS_CHILD : WS_POPUP, .parent = parent});
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kThrow) throw std::runtime_error("handler failed");
        return DefaultProc(message, wParam, lParam);
    }
};

TEST(WindowBasesTest, FailuresOfWindowsAndHandlersReachTheErrorDisplay) {
    const CollectedErrors errors;
    ThrowingWindow window;
    EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(IsWindow(window.Handle()));

    // A window that Windows refuses to make is an error with the call's name, not a null handle.
    const HWND gone = window.Handle();
    DestroyWindow(gone);
    EXPECT_EQ(window.Handle(), nullptr);
    try {
        ThrowingWindow child(gone);
        ADD_FAILURE() << "a child of a destroyed window was made";
    } catch (const Win32Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("CreateWindowExW failed: ", 0), 0u) << error.what();
    }
}

class TestDialog : public DialogBase<TestDialog> {
public:
    INT_PTR Show(HWND owner) { return RunModal(owner, L"Test dialog", {300, 120}); }

    bool OnInitDialog() {
        AddControl(L"EDIT", L"text", WS_BORDER | WS_TABSTOP, {10, 10, 200, 34}, kEdit);
        RECT client{};
        GetClientRect(Handle(), &client);
        clientSize = {client.right, client.bottom};
        GetWindowRect(Control(kEdit), &edit);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&edit), 2);
        PostMessageW(Handle(), kThrow, 0, 0);
        PostMessageW(Handle(), WM_COMMAND, IDOK, 0);
        return true;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
        if (message == kThrow) throw std::runtime_error("dialog handler failed");
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            std::wstring text(64, L'\0');
            text.resize(GetWindowTextW(Control(kEdit), text.data(), 64));
            editText = text;
            Close(IDOK);
            return TRUE;
        }
        return FALSE;
    }

    static constexpr int kEdit = 100;
    SIZE clientSize{};
    RECT edit{};
    std::wstring editText;
};

// Also run in a prefix at 144 DPI, where everything is half as large again.
TEST(WindowBasesScaledTest, ModalDialogIsBuiltAtItsScaledSizeAndEndsWithItsResult) {
    const CollectedErrors errors;
    TestDialog dialog;
    EXPECT_EQ(dialog.Show(nullptr), IDOK);
    const int dpi = static_cast<int>(GetDpiForSystem());
    EXPECT_EQ(dialog.clientSize.cx, 300 * dpi / 96);
    EXPECT_EQ(dialog.clientSize.cy, 120 * dpi / 96);
    EXPECT_EQ(dialog.edit.left, 10 * dpi / 96);
    EXPECT_EQ(dialog.edit.bottom, 34 * dpi / 96);
    EXPECT_EQ(dialog.editText, L"text");
    EXPECT_EQ(shown, std::vector<std::string>{"dialog handler failed"});
    EXPECT_EQ(dialog.Handle(), nullptr);
}

// Windows refuses to delete a bitmap selected into a DC: the DC gets its first
// bitmap back before the bitmap's owner deletes it.
TEST(WindowBasesTest, ASelectedObjectGoesBackWhenItsScopeEnds) {
    const unique_hdc memory(CreateCompatibleDC(WindowDc(nullptr).Get()));
    ASSERT_TRUE(memory);
    const HGDIOBJ first = GetCurrentObject(memory.get(), OBJ_BITMAP);
    const unique_hbitmap bitmap(CreateCompatibleBitmap(memory.get(), 4, 4));
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), first);
}

}  // namespace
}  // namespace tavrin
