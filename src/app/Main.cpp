// Program entry: fixes the configuration file, reads the user, initialises OLE
// on the main thread and selects the user's settings file before any window
// exists. A file that cannot be read is reported and nothing is written.
#include <windows.h>

#include <exception>

#include "shell/UniqueResource.h"
#include "shell/Utf16.h"
#include "shell/Win32Environment.h"
#include "shell/Win32FileSystem.h"
#include "storage/UConfigXml.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TfrmTavrin";
constexpr wchar_t kCaption[] = L"Tavrin";

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Until the main window exists, a plain window shows that the program runs.
int RunPlaceholderWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = PlaceholderProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    const HWND window = CreateWindowExW(0, kWindowClass, kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                        WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 354, 160, nullptr, nullptr,
                                        instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
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
    tavrin::TAppConfig appConfig(fileSystem, environment);
    const tavrin::ComInitScope ole(tavrin::ComInitScope::Kind::Ole);
    try {
        const std::string settingsFileName = appConfig.SelectSettingsFile();
        (void)settingsFileName;
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, tavrin::Widen(error.what()).c_str(), kCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    return RunPlaceholderWindow(instance);
}
