// Why a button's hot key could not be registered, and the words the program
// says it with: a line of the properties box and a note of the button's hint.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

enum class HotKeyHolder {
    OtherProgram,
    GlobalHotKey,        // the hot key of the options that shows and hides the window
    FormerGlobalHotKey,  // a global hot key given up in the options, held until the program ends
    Button,              // another button of this program
};

struct HotKeyRefusal {
    HotKeyHolder holder = HotKeyHolder::OtherProgram;
    std::string button;  // for HotKeyHolder::Button: how messages name that button ("\"Notepad\"")
    bool operator==(const HotKeyRefusal&) const = default;
};

// "Ctrl+Alt+N is taken by another program." and the like, for the key's text.
[[nodiscard]] std::string RefusalLine(std::string_view keyText, const HotKeyRefusal& refusal);
// "(hot key taken by another program)" and the like, at the end of the hint.
[[nodiscard]] std::string RefusalNote(const HotKeyRefusal& refusal);

}  // namespace tavrin
