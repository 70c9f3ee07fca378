#include "rules/ButtonHint.h"

namespace tavrin {

std::string ButtonHint(std::string_view description, std::string_view hotKey) {
    std::string hint(description);
    if (!hotKey.empty()) {
        hint += " -[";
        hint += hotKey;
        hint += ']';
    }
    return hint;
}

}  // namespace tavrin
