#include "win32/Win32Environment.h"

#include <windows.h>
#include <lmcons.h>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {

std::string Win32Environment::ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32Environment::UserName() {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    if (!GetUserNameW(name, &size) || size == 0) return {};
    return Narrow(std::wstring_view(name, size - 1));
}

}  // namespace tavrin

namespace tavrin {

int Win32Environment::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32Environment::WorkAreaHeight() {
    RECT workArea{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0)) return GetSystemMetrics(SM_CYSCREEN);
    return workArea.bottom - workArea.top;
}

bool Win32Environment::SetRunAtLogonValue(const std::string& name, const std::optional<std::string>& data) {
    unique_hkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring valueName = Widen(name);
    if (!data) {
        const LSTATUS status = RegDeleteValueW(key.get(), valueName.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring text = Widen(*data);
    return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace tavrin
