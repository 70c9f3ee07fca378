// Program entry: one copy per desktop. A second start tells the running copy
// (which answers with a balloon) and ends. Otherwise the configuration file
// is fixed, the user read, what cut-off saves left removed and OLE
// initialised before the main window is made.
#include <windows.h>
#include <commctrl.h>

#include "app/Commands.h"
#include "app/MainWindow.h"
#include "win32/BaseWindow.h"
#include "win32/ErrorDisplay.h"
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
    tavrin::Win32FileSystem fileSystem;
    tavrin::Win32Environment environment;
    tavrin::Win32FileDialogs dialogs;
    tavrin::AppConfig appConfig(fileSystem, environment, dialogs);
    fileSystem.RemoveSaveLeftovers(appConfig.ProgramFolder());
    const tavrin::ComInitScope ole(tavrin::ComInitScope::Kind::Ole);

    if (const HWND running = FindWindowW(tavrin::MainWindow::kClassName, tavrin::MainWindow::kCaption)) {
        SendMessageW(running, tavrin::kRunningCopyMessage, 0, 0);
        return 0;
    }

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
