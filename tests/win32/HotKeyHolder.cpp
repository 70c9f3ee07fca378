// A program that holds a hot key, as another program of the user's would:
// "tavrin_hot_key_holder <marker>" registers Shift+Ctrl+Alt+F10, makes the
// marker file once it holds the key, and runs until it is ended. It ends at
// once with 1 when the key is taken already, and with 2 on wrong arguments or
// a marker it cannot make.
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 2) return 2;
    if (!RegisterHotKey(nullptr, 1, MOD_SHIFT | MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_F10)) return 1;
    const HANDLE marker = CreateFileW(arguments[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return 2;
    CloseHandle(marker);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    return 0;
}
