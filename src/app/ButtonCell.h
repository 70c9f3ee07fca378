// One cell of a button grid or of the Tavrin Tab: a panel with a raised bevel
// that holds one picture (34 and 32 pixels at 96 DPI, scaled with the window).
// A cell is no window of its own: its page (TabPage) paints it and passes it
// the mouse events that hit it, which keeps start-up short (a page holds up to
// 20 cells). The frame around the picture still counts as the panel (a click
// there is a FrameClick, not a Click). The cell carries the button ID of its
// slot as its tag and reports mouse events to its owner.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "rules/GridGeometry.h"
#include "win32/UniqueResource.h"

namespace tavrin {

class ButtonCell {
public:
    // Default: raised; Pressed: inner bevel lowered; Context: outer bevel lowered;
    // PickSource: outer bevel lowered, while a swap or copy of the cell waits for its target;
    // DropTarget: raised inside a frame of the selection colour, while files dragged over the cell would land on it.
    enum class Look { Raised, Pressed, Context, PickSource, DropTarget };
    enum class Event { LeftDown, RightDown, MouseUp, Click, FrameClick, ContextMenu };
    using Listener = std::function<void(ButtonCell&, Event)>;
    // Hears that the cell's hint changed.
    using HintChanged = std::function<void(const ButtonCell&)>;
    // A picture that cells showing the same icon share.
    using SharedPicture = std::shared_ptr<const unique_hicon>;
    // Makes the picture at a size in pixels, or finds it shown already.
    using PictureLoader = std::function<SharedPicture(int size)>;

    // page: the window that shows the cell at `place` of its client area, its picture `iconSize` pixels square.
    ButtonCell(HWND page, const CellRect& place, int iconSize, int tag, Listener listener, HintChanged hintChanged);
    ButtonCell(const ButtonCell&) = delete;
    ButtonCell& operator=(const ButtonCell&) = delete;

    [[nodiscard]] int Tag() const noexcept { return tag_; }
    void SetTag(int tag) noexcept { tag_ = tag; }
    [[nodiscard]] bool HasPicture() const noexcept { return static_cast<bool>(loader_); }
    // The picture is made when the cell is first painted, and again when its
    // size changes: cells of pages that are never shown never read their icon
    // files, which keeps start-up short. An empty loader empties the picture.
    void SetPictureLoader(PictureLoader loader);
    // The picture as last painted; empty before the first paint.
    [[nodiscard]] HICON Picture() const noexcept { return picture_ ? picture_->get() : nullptr; }
    [[nodiscard]] const std::string& Hint() const noexcept { return hint_; }
    void SetHint(std::string hint);
    // What a screen reader calls the cell: its button's or tool's name; empty for an empty cell.
    [[nodiscard]] const std::string& Name() const noexcept { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // The hot key that starts the cell's button from anywhere, as shown ("Ctrl+Alt+N"); empty: none.
    [[nodiscard]] const std::string& Shortcut() const noexcept { return shortcut_; }
    void SetShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
    // A button whose target is gone shows a warning mark over its picture.
    [[nodiscard]] bool TargetMissing() const noexcept { return targetMissing_; }
    void SetTargetMissing(bool missing);
    [[nodiscard]] Look CurrentLook() const noexcept { return look_; }
    void SetLook(Look look);
    // Null: the page's own cursor.
    void SetCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }
    [[nodiscard]] HCURSOR Cursor() const noexcept { return cursor_; }

    // Moves the cell within its page, with the size of its picture (after a change of display scale).
    void SetPlace(const CellRect& place, int iconSize);
    [[nodiscard]] int IconSize() const noexcept { return iconSize_; }

    // The page window and the cell's place in its client area.
    [[nodiscard]] HWND Page() const noexcept { return page_; }
    [[nodiscard]] const RECT& Rect() const noexcept { return rect_; }
    [[nodiscard]] bool Contains(POINT point) const noexcept { return PtInRect(&rect_, point) != FALSE; }
    // Whether a point of the cell lies on the frame around the picture.
    [[nodiscard]] bool OnFrame(POINT point) const noexcept;

    // Draws the cell into the page's device context; the first paint makes the picture.
    void Paint(HDC dc);
    // The page reports a mouse event on the cell.
    void Notify(Event event) { listener_(*this, event); }
    // A click as the mouse gives it, with its press and release: for the keyboard and for screen readers.
    void Press();

private:
    void Invalidate() const noexcept;

    HWND page_;
    RECT rect_{};
    int iconSize_ = 0;
    int tag_;
    Listener listener_;
    HintChanged hintChanged_;
    PictureLoader loader_;
    SharedPicture picture_;
    int pictureSize_ = 0;  // the size picture_ was made at
    bool targetMissing_ = false;
    unique_hicon mark_;  // the warning mark, made when first painted
    int markSize_ = 0;
    std::string hint_;
    std::string name_;
    std::string shortcut_;
    Look look_ = Look::Raised;
    HCURSOR cursor_ = nullptr;
};

}  // namespace tavrin
