// Program entry: one copy per desktop. A second start tells the running copy
// (which answers with a balloon) and ends. Otherwise the configuration file
// is fixed and the user read before the main window is made.
#include <windows.h>
#include <commctrl.h>

#include "app/Commands.h"
#include "app/MainWindow.h"
#include "win32/BaseWindow.h"
#include "win32/ErrorDisplay.h"
#include "win32/UniqueResource.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Environment.h"
#include "win32/Win32FileDialogs.h"
#include "win32/Win32FileSystem.h"

namespace {

// The hidden window that owns the main window. Its tool-window style, and
// nothing else, keeps the program off the taskbar.
class OwnerWindow : public tavrin::BaseWindow<OwnerWindow> {
public:
    OwnerWindow() {
        Create(L"TavrinOwner", {}, {.caption = L"Tavrin", .style = WS_POPUP});
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return DefaultProc(message, wParam, lParam); }
};

// The running copy holds this mutex from its first step: a copy started
// while the first one is still making its window finds the mutex, not the
// window. The "Local" namespace keeps it to the user's session.
constexpr wchar_t kRunningCopyMutex[] = L"Local\\Tavrin.RunningCopy";
constexpr ULONGLONG kWaitForRunningWindowMs = 5000;

// Tells the running copy that another copy was started, once its main window
// is there (it may still be making it); gives up after a few seconds.
void TellRunningCopy() {
    const ULONGLONG deadline = GetTickCount64() + kWaitForRunningWindowMs;
    for (;;) {
        if (const HWND running = FindWindowW(tavrin::MainWindow::kClassName, tavrin::MainWindow::kCaption)) {
            SendMessageW(running, tavrin::kRunningCopyMessage, 0, 0);
            return;
        }
        if (GetTickCount64() >= deadline) return;
        Sleep(50);
    }
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const tavrin::unique_handle runningCopy(CreateMutexW(nullptr, FALSE, kRunningCopyMutex));
    // A copy running with other rights holds a mutex this one may not open.
    if (const DWORD error = GetLastError(); error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        TellRunningCopy();
        return 0;
    }
    tavrin::Win32FileSystem fileSystem;
    tavrin::Win32Environment environment;
    tavrin::Win32FileDialogs dialogs;
    tavrin::AppConfig appConfig(fileSystem, environment, dialogs);

    // The main window's tab control and status bar, and the dialogs' hot-key,
    // list-view and up-down controls.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS;
    InitCommonControlsEx(&controls);
    tavrin::Win32Shell shell;
    tavrin::Win32Prompt prompt;
    tavrin::Win32Clock clock;
    tavrin::MainWindowServices services{fileSystem, environment, shell, prompt, clock, dialogs};
    try {
        const OwnerWindow owner;
        tavrin::MainWindow mainWindow(services, appConfig, owner.Handle());
        dialogs.SetOwner(mainWindow.Handle());
        mainWindow.Show();
        return RunMessageLoop();
    } catch (...) {
        // A file that cannot be read is reported, and nothing is written.
        tavrin::ShowCurrentException(nullptr);
        return 1;
    }
}
