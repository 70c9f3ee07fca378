// Key names from the keyboard layouts: the current layout for the localized text
// form of hot keys, the US English layout for the English form.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "rules/HotKeyText.h"

namespace tavrin {

// Reads the names when a hot key text is first made or read, not when the program
// starts: it then loads the US English layout (without telling the shell) and fixes
// the modifier names; it unloads the US English layout again when it goes, unless the
// user had that layout before.
class LayoutKeyNames final : public IKeyNameSource {
public:
    LayoutKeyNames() = default;
    ~LayoutKeyNames() override;
    LayoutKeyNames(const LayoutKeyNames&) = delete;
    LayoutKeyNames& operator=(const LayoutKeyNames&) = delete;

    [[nodiscard]] std::string LayoutKeyName(unsigned virtualKey, bool localized) const override;
    [[nodiscard]] const ModifierNames& LocalizedModifiers() const override;
    [[nodiscard]] bool SameTextIgnoringCase(std::string_view a, std::string_view b) const override;

private:
    void Load() const;

    // Filled by the first question; the answers stay the same for the program's life.
    mutable bool loaded_ = false;
    mutable HKL usLayout_ = nullptr;
    mutable bool unloadUsLayout_ = false;
    mutable std::array<std::string, 256> englishNames_;
    mutable ModifierNames localized_;
};

}  // namespace tavrin
