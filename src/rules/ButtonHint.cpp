#include "rules/ButtonHint.h"

namespace tavrin {

std::string ButtonHint(std::string_view description, std::string_view hotKey, bool targetMissing) {
    std::string hint(description);
    if (!hotKey.empty()) {
        hint += " -[";
        hint += hotKey;
        hint += ']';
    }
    if (targetMissing) hint += " (missing)";
    return hint;
}

}  // namespace tavrin
