#include "rules/DropEffect.h"

#include <array>

namespace tavrin {

std::uint32_t ChooseDropEffect(std::uint32_t offered, std::uint32_t accepted, DragKeys keys) noexcept {
    const std::uint32_t allowed = offered & accepted & (kDropCopy | kDropMove | kDropLink);
    const std::uint32_t preferred = keys.control && keys.shift ? kDropLink : keys.control ? kDropCopy : kDropMove;
    if ((allowed & preferred) != 0) return preferred;
    for (const std::uint32_t effect : std::array{kDropCopy, kDropMove, kDropLink}) {
        if ((allowed & effect) != 0) return effect;
    }
    return kDropNone;
}

}  // namespace tavrin
