// Program entry: one copy per desktop. A second start tells the running copy
// (which answers with a balloon) and ends. Otherwise the configuration file
// is fixed, the user read and OLE initialised before the main window is made.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/Commands.h"
#include "win32/ErrorDisplay.h"
#include "app/MainWindow.h"
#include "win32/Win32FileDialogs.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Environment.h"
#include "win32/Win32FileSystem.h"

namespace {

// The hidden window that owns the main window. Its tool-window style, and
// nothing else, keeps the program off the taskbar.
HWND CreateOwnerWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TavrinOwner";
    RegisterClassExW(&windowClass);
    const HWND owner = CreateWindowExW(0, windowClass.lpszClassName, L"Tavrin", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, instance, nullptr);
    SetWindowLongPtrW(owner, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return owner;
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tavrin::Win32FileSystem fileSystem;
    tavrin::Win32Environment environment;
    tavrin::AppConfig appConfig(fileSystem, environment);
    const tavrin::ComInitScope ole(tavrin::ComInitScope::Kind::Ole);

    if (const HWND running = FindWindowW(tavrin::MainWindow::kClassName, tavrin::MainWindow::kCaption)) {
        SendMessageW(running, tavrin::kRunningCopyMessage, 0, 0);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    const tavrin::unique_hwnd owner(CreateOwnerWindow(instance));
    tavrin::Win32Shell shell;
    tavrin::Win32Prompt prompt;
    tavrin::Win32Clock clock;
    tavrin::Win32FileDialogs dialogs;
    tavrin::MainWindowServices services{fileSystem, environment, shell, prompt, clock, dialogs};
    try {
        tavrin::MainWindow mainWindow(services, appConfig, owner.get());
        dialogs.SetOwner(mainWindow.Handle());
        mainWindow.Show();
        return RunMessageLoop();
    } catch (const std::exception& error) {
        // A file that cannot be read is reported, and nothing is written.
        tavrin::ShowErrorMessage(nullptr, error);
        return 1;
    }
}
