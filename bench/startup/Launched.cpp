// The program the buttons of the click benchmark start: it adds one byte to
// "launched.log" in its working folder, so that the benchmark can tell that
// every click started it, and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const HANDLE log = CreateFileW(L"launched.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, 0, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(log, "x", 1, &written, nullptr);
    CloseHandle(log);
    return 0;
}
