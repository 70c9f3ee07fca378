#include "shell/Win32Environment.h"

#include <windows.h>
#include <lmcons.h>

#include "shell/Utf16.h"

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
