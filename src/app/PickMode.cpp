#include "app/PickMode.h"

#include <algorithm>
#include <utility>

#include "app/PickCursors.h"
#include "storage/ButtonRecord.h"

namespace tavrin {

void PickMode::Begin(Kind kind, ButtonCell& source) {
    (void)End();
    pick_ = Pick{kind, &source};
    source.SetLook(ButtonCell::Look::PickSource);
    display_(Cursor(), PickStatusText(kind, source.Hint(), SlotOfButton(source.Tag())));
}

std::optional<PickMode::Pick> PickMode::End() {
    const std::optional<Pick> ended = std::exchange(pick_, std::nullopt);
    if (!ended) return ended;
    ended->source->SetLook(ButtonCell::Look::Raised);
    display_(nullptr, "");
    return ended;
}

void PickMode::ForgetSourceAmong(const std::vector<ButtonCell*>& cells) {
    if (pick_ && std::find(cells.begin(), cells.end(), pick_->source) != cells.end()) (void)End();
}

HCURSOR PickMode::Cursor() const noexcept {
    if (!pick_) return nullptr;
    return pick_->kind == Kind::Copy ? CopyPickCursor() : SwapPickCursor();
}

std::string PickStatusText(PickMode::Kind kind, const std::string& sourceHint, int slot) {
    const std::string name = sourceHint.empty() ? "the empty slot " + std::to_string(slot) : "\"" + sourceHint + "\"";
    const char* what = kind == PickMode::Kind::Copy ? "Copy " : "Swap ";
    const char* target =
        kind == PickMode::Kind::Copy ? ": click the button to copy it onto" : ": click the button to swap it with";
    return what + name + target + "; Esc cancels.";
}

}  // namespace tavrin
