#include "desktop/HiddenWindow.h"

namespace tavrin {

unique_hwnd CreateHiddenWindow(const wchar_t* className, WNDPROC procedure, void* owner, HiddenWindowKind kind) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    unique_hwnd window(CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 0, 0,
                                       kind == HiddenWindowKind::MessageOnly ? HWND_MESSAGE : nullptr, nullptr,
                                       instance, nullptr));
    if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace tavrin
