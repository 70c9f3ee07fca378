#include "support/WindowTesting.h"

#include <commctrl.h>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin::testing {

void InitWindowControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

void UseRealScreen(FakeEnvironment& environment) {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    environment.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    environment.workAreaHeight = workArea.bottom - workArea.top;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() < end);
}

bool ShellHasIcon(const TrayIcon& tray) {
    NOTIFYICONDATAW data = tray.NotifyData();
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

std::optional<std::string> PressKeysWithXdotool(const std::string& windowName, const std::string& keys) {
    const std::wstring xdotool = L"Z:\\usr\\bin\\xdotool";
    if (GetFileAttributesW(xdotool.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return "xdotool is not installed: no real key press is possible";
    }
    std::wstring command = L"\"" + xdotool + L"\" search --name \"" + Widen(windowName) +
                           L"\" windowfocus --sync key " + Widen(keys);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return "xdotool cannot be started from this Windows program (error " + std::to_string(GetLastError()) + ")";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::nullopt;
}

}  // namespace tavrin::testing
