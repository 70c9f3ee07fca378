// Key names from the keyboard layouts: the current layout for the localized text
// form of hot keys, the US English layout for the English form.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "rules/HotKeyText.h"

namespace tavrin {

// Made once when the program starts: it loads the US English layout (without telling
// the shell) and fixes the modifier names; it unloads the US English layout again when
// it goes, unless the user had that layout before.
class LayoutKeyNames final : public IKeyNameSource {
public:
    LayoutKeyNames();
    ~LayoutKeyNames() override;
    LayoutKeyNames(const LayoutKeyNames&) = delete;
    LayoutKeyNames& operator=(const LayoutKeyNames&) = delete;

    [[nodiscard]] std::string LayoutKeyName(unsigned virtualKey, bool localized) const override;
    [[nodiscard]] const ModifierNames& LocalizedModifiers() const override { return localized_; }
    [[nodiscard]] bool SameTextIgnoringCase(std::string_view a, std::string_view b) const override;

private:
    HKL usLayout_ = nullptr;
    bool unloadUsLayout_ = false;
    std::array<std::string, 256> englishNames_;
    ModifierNames localized_;
};

}  // namespace tavrin
