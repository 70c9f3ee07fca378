#include "app/ButtonCell.h"

#include <initializer_list>
#include <utility>

#include "shell/ShellIcons.h"

namespace tavrin {

ButtonCell::ButtonCell(HWND page, const CellRect& place, int iconSize, int tag, Listener listener,
                       HintChanged hintChanged)
    : page_(page), tag_(tag), listener_(std::move(listener)), hintChanged_(std::move(hintChanged)) {
    SetPlace(place, iconSize);
}

void ButtonCell::SetHint(std::string hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    if (hintChanged_) hintChanged_(*this);
}

void ButtonCell::Press() {
    for (const Event event : {Event::LeftDown, Event::MouseUp, Event::Click}) Notify(event);
}

void ButtonCell::SetTargetMissing(bool missing) {
    if (missing == targetMissing_) return;
    targetMissing_ = missing;
    Invalidate();
}

void ButtonCell::SetPlace(const CellRect& place, int iconSize) {
    const RECT rect{place.left, place.top, place.left + place.width, place.top + place.height};
    if (EqualRect(&rect, &rect_) && iconSize == iconSize_) return;
    Invalidate();
    rect_ = rect;
    iconSize_ = iconSize;
    Invalidate();
}

void ButtonCell::SetPictureLoader(PictureLoader loader) {
    loader_ = std::move(loader);
    picture_.reset();
    pictureSize_ = 0;
    Invalidate();
}

void ButtonCell::SetLook(Look look) {
    if (look_ == look) return;
    look_ = look;
    Invalidate();
}

// The picture sits in the middle of the cell; what is around it is the frame.
bool ButtonCell::OnFrame(POINT point) const noexcept {
    const int inset = (rect_.right - rect_.left - iconSize_) / 2;
    return point.x < rect_.left + inset || point.y < rect_.top + inset || point.x >= rect_.left + inset + iconSize_ ||
           point.y >= rect_.top + inset + iconSize_;
}

// A hidden page is painted whole when it is shown: its cells need not ask,
// which spares start-up a call to the window system for every cell.
void ButtonCell::Invalidate() const noexcept {
    if (IsWindowVisible(page_)) InvalidateRect(page_, &rect_, FALSE);
}

void ButtonCell::Paint(HDC dc) {
    RECT cell = rect_;
    FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    // The outer bevel, then the inner one inside it, as a panel draws them.
    const UINT outer = look_ == Look::Context || look_ == Look::PickSource ? BDR_SUNKENOUTER : BDR_RAISEDOUTER;
    DrawEdge(dc, &cell, outer, BF_RECT);
    if (look_ == Look::Pressed) {
        RECT inner{rect_.left + 1, rect_.top + 1, rect_.right - 1, rect_.bottom - 1};
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT);
    }
    if (look_ == Look::DropTarget) {
        for (int inset = 1; inset <= 2; ++inset) {
            RECT frame{rect_.left + inset, rect_.top + inset, rect_.right - inset, rect_.bottom - inset};
            FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
    }
    if (loader_ && pictureSize_ != iconSize_) {
        picture_ = loader_(iconSize_);
        pictureSize_ = iconSize_;
    }
    if (!Picture()) return;
    const int inset = (rect_.right - rect_.left - iconSize_) / 2;
    DrawIconEx(dc, rect_.left + inset, rect_.top + inset, Picture(), iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    // The mark covers the picture's lower right quarter.
    if (!targetMissing_) return;
    const int markSize = iconSize_ / 2;
    if (markSize_ != markSize) {
        mark_ = GetWarningIcon(markSize);
        markSize_ = markSize;
    }
    if (mark_) {
        DrawIconEx(dc, rect_.left + inset + iconSize_ - markSize, rect_.top + inset + iconSize_ - markSize, mark_.get(),
                   markSize, markSize, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace tavrin
