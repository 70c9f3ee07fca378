#include "win32/LayoutKeyNames.h"

#include "win32/Utf16.h"

namespace tavrin {

namespace {

constexpr wchar_t kUsEnglishLayout[] = L"00000409";

// Page Up, Page Down, End, Home, the arrows, Insert and Delete: the keys of the
// separate block, whose scan codes the numeric keypad shares without the extended flag.
bool IsExtendedKey(unsigned virtualKey) {
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT || virtualKey == VK_DELETE;
}

// The name of a key in the active layout, looked up through the scan code that `layout` gives the key.
std::string NameInLayout(unsigned virtualKey, HKL layout) {
    const UINT scanCode = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout);
    if (scanCode == 0) return {};
    LONG keyData = static_cast<LONG>((scanCode & 0xFF) << 16);
    if (IsExtendedKey(virtualKey)) keyData |= 1 << 24;
    wchar_t name[64];
    const int length = GetKeyNameTextW(keyData, name, static_cast<int>(std::size(name)));
    return length > 0 ? Narrow(std::wstring_view(name, static_cast<size_t>(length))) : std::string();
}

}  // namespace

void LayoutKeyNames::Load() const {
    if (loaded_) return;
    loaded_ = true;
    const int countBefore = GetKeyboardLayoutList(0, nullptr);
    usLayout_ = LoadKeyboardLayoutW(kUsEnglishLayout, KLF_NOTELLSHELL);
    // The load added a layout only when the user did not have it already.
    unloadUsLayout_ = usLayout_ != nullptr && GetKeyboardLayoutList(0, nullptr) > countBefore;

    const HKL current = GetKeyboardLayout(0);
    localized_ = LocalizedModifierNames(NameInLayout(VK_SHIFT, current), NameInLayout(VK_CONTROL, current),
                                        NameInLayout(VK_MENU, current));

    // Key names come from the active layout, so the US English one is activated once to
    // read all its names, and the user's layout is activated again at once.
    if (usLayout_ == nullptr) return;
    const HKL previous = ActivateKeyboardLayout(usLayout_, 0);
    for (unsigned key = 0; key < englishNames_.size(); ++key) englishNames_[key] = NameInLayout(key, usLayout_);
    if (previous != nullptr) ActivateKeyboardLayout(previous, 0);
}

LayoutKeyNames::~LayoutKeyNames() {
    if (unloadUsLayout_) UnloadKeyboardLayout(usLayout_);
}

const ModifierNames& LayoutKeyNames::LocalizedModifiers() const {
    Load();
    return localized_;
}

std::string LayoutKeyNames::LayoutKeyName(unsigned virtualKey, bool localized) const {
    Load();
    if (virtualKey >= englishNames_.size()) return {};
    if (localized) return NameInLayout(virtualKey, GetKeyboardLayout(0));
    return englishNames_[virtualKey];
}

bool LayoutKeyNames::SameTextIgnoringCase(std::string_view a, std::string_view b) const {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace tavrin
