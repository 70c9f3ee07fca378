#include "rules/ButtonHint.h"

namespace tavrin {

std::string ButtonHint(std::string_view description, std::string_view hotKey, bool targetMissing,
                       std::string_view note) {
    std::string hint(description);
    if (!hotKey.empty()) {
        hint += " -[";
        hint += hotKey;
        hint += ']';
    }
    if (targetMissing) hint += " (missing)";
    if (!note.empty()) {
        hint += ' ';
        hint += note;
    }
    return hint;
}

}  // namespace tavrin
