#include "rules/HotKeyRefusal.h"

namespace tavrin {

std::string RefusalLine(std::string_view keyText, const HotKeyRefusal& refusal) {
    std::string line(keyText);
    switch (refusal.holder) {
        case HotKeyHolder::OtherProgram:
            return line + " is taken by another program.";
        case HotKeyHolder::GlobalHotKey:
            return line + " is the global hot key.";
        case HotKeyHolder::FormerGlobalHotKey:
            return line + " is kept by the former global hot key until Tavrin ends.";
        case HotKeyHolder::Button:
            return line + " is the hot key of " + refusal.button + ".";
    }
    return line;
}

std::string RefusalNote(const HotKeyRefusal& refusal) {
    switch (refusal.holder) {
        case HotKeyHolder::OtherProgram:
            return "(hot key taken by another program)";
        case HotKeyHolder::GlobalHotKey:
            return "(hot key taken by the global hot key)";
        case HotKeyHolder::FormerGlobalHotKey:
            return "(hot key kept by the former global hot key)";
        case HotKeyHolder::Button:
            return "(hot key taken by " + refusal.button + ")";
    }
    return {};
}

}  // namespace tavrin
