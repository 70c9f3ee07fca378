// One cell of a button grid or of the Tavrin Tab: a 34 x 34 panel with a
// raised bevel that holds one 32 x 32 picture. Panel and picture are one
// window here; the one-pixel frame around the picture still counts as the
// panel (a click there is a FrameClick, not a Click). The cell carries the
// button ID of its slot as its tag and reports mouse events to its owner.
#pragma once

#include <functional>
#include <string>

#include "app/BaseWindow.h"
#include "shell/UniqueResource.h"

namespace tavrin {

class ButtonCell : public BaseWindow<ButtonCell> {
public:
    // Default: raised; Pressed: inner bevel lowered; Context: outer bevel lowered.
    enum class Look { Raised, Pressed, Context };
    enum class Event { LeftDown, RightDown, MouseUp, Click, FrameClick, ContextMenu, HintShown };
    using Listener = std::function<void(ButtonCell&, Event)>;

    ButtonCell(HWND parent, int left, int top, int tag, Listener listener);

    [[nodiscard]] int Tag() const noexcept { return tag_; }
    void SetTag(int tag) noexcept { tag_ = tag; }
    [[nodiscard]] bool HasPicture() const noexcept { return picture_ || loader_; }
    // An empty icon empties the picture.
    void SetPicture(unique_hicon picture);
    // A picture made when the cell is first painted: cells of pages that are
    // never shown never read their icon files, which keeps start-up short.
    void SetPictureLoader(std::function<unique_hicon()> loader);
    [[nodiscard]] const std::string& Hint() const noexcept { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    [[nodiscard]] Look CurrentLook() const noexcept { return look_; }
    void SetLook(Look look);
    void SetCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint();
    [[nodiscard]] static bool OnFrame(LPARAM point) noexcept;

    int tag_;
    Listener listener_;
    unique_hicon picture_;
    std::function<unique_hicon()> loader_;
    std::string hint_;
    Look look_ = Look::Raised;
    HCURSOR cursor_ = nullptr;
    bool leftDownOnPicture_ = false;
    bool leftDownOnFrame_ = false;
    bool tracking_ = false;
};

}  // namespace tavrin
