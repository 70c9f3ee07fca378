#include "support/WindowTesting.h"

#include <commctrl.h>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin::testing {

std::wstring TabItemText(HWND tabs, int item) {
    wchar_t text[256]{};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = 256;
    return TabCtrl_GetItem(tabs, item, &tab) ? std::wstring(text) : std::wstring();
}

void InitWindowControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS;
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

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return done();
        PumpMessages(20);
    }
    return true;
}

bool ShellHasIcon(const TrayIcon& tray) {
    NOTIFYICONDATAW data = tray.NotifyData();
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

namespace {

// Starts xdotool with the arguments, and waits for it to end when asked; the
// reason when it cannot run. A key press does not wait: focusing a window of
// this thread needs its messages handled meanwhile.
std::optional<std::string> RunXdotool(const std::wstring& arguments, bool wait) {
    const std::wstring xdotool = L"Z:\\usr\\bin\\xdotool";
    if (GetFileAttributesW(xdotool.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return "xdotool is not installed: no real input is possible";
    }
    std::wstring command = L"\"" + xdotool + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return "xdotool cannot be started from this Windows program (error " + std::to_string(GetLastError()) + ")";
    }
    const unique_handle thread(process.hThread);
    const unique_handle running(process.hProcess);
    if (wait) WaitForSingleObject(running.get(), 10000);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PressKeysWithXdotool(const std::string& windowName, const std::string& keys) {
    return RunXdotool(
        L"search --onlyvisible --name \"" + Widen(windowName) + L"\" windowfocus --sync key " + Widen(keys), false);
}

std::optional<std::string> ClickWithXdotool(POINT screenPoint, int clicks, int button) {
    return RunXdotool(L"mousemove --sync " + std::to_wstring(screenPoint.x) + L" " + std::to_wstring(screenPoint.y) +
                          L" click --repeat " + std::to_wstring(clicks) + L" --delay 120 " + std::to_wstring(button),
                      true);
}

// A drag begins once the pointer has left a small square around the press, and
// the target hears where it is at every step. (--sync would wait for ever for a
// move to where the pointer is already.)
std::optional<std::string> DragWithXdotool(POINT from, POINT to) {
    const auto move = [](int x, int y) {
        return L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" sleep 0.2 ";
    };
    std::wstring steps = move(from.x, from.y) + L"mousedown 1 " + move(from.x + 8, from.y + 2);
    for (int step = 1; step <= 8; ++step) {
        steps += move(from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8);
    }
    return RunXdotool(steps + L"mouseup 1", true);
}

}  // namespace tavrin::testing
