#include "win32/ResourceData.h"

namespace tavrin {

// A loaded resource stays in memory as long as the module: the view needs no owner.
std::string_view ResourceData(const wchar_t* name) noexcept {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, name, RT_RCDATA);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded) return {};
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found)};
}

}  // namespace tavrin
