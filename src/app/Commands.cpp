#include "app/Commands.h"

namespace tavrin {

void AppendMenuItems(HMENU menu, std::span<const Command> layout) {
    for (const Command command : layout) {
        if (command == Command::None) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), TextOf(command).caption);
        }
    }
}

Command CommandOfMenuId(unsigned id) noexcept {
    for (const CommandText& text : kCommandTexts) {
        if (static_cast<unsigned>(text.command) == id) return text.command;
    }
    return Command::None;
}

}  // namespace tavrin
