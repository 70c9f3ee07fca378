#include "app/ButtonCell.h"

#include <utility>

#include "rules/GridGeometry.h"

namespace tavrin {

ButtonCell::ButtonCell(HWND page, int left, int top, int tag, Listener listener)
    : page_(page), rect_{left, top, left + kCellSize, top + kCellSize}, tag_(tag), listener_(std::move(listener)) {
    Invalidate();
}

void ButtonCell::SetPicture(unique_hicon picture) {
    picture_ = std::move(picture);
    loader_ = nullptr;
    Invalidate();
}

void ButtonCell::SetPictureLoader(std::function<unique_hicon()> loader) {
    picture_.reset();
    loader_ = std::move(loader);
    Invalidate();
}

void ButtonCell::SetLook(Look look) {
    if (look_ == look) return;
    look_ = look;
    Invalidate();
}

bool ButtonCell::OnFrame(POINT point) const noexcept {
    return point.x < rect_.left + 1 || point.y < rect_.top + 1 || point.x >= rect_.right - 1 ||
           point.y >= rect_.bottom - 1;
}

void ButtonCell::Invalidate() const noexcept { InvalidateRect(page_, &rect_, FALSE); }

void ButtonCell::Paint(HDC dc) {
    RECT cell = rect_;
    FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    // The outer bevel, then the inner one inside it, as a panel draws them.
    const UINT outer = look_ == Look::Context ? BDR_SUNKENOUTER : BDR_RAISEDOUTER;
    DrawEdge(dc, &cell, outer, BF_RECT);
    if (look_ == Look::Pressed) {
        RECT inner{rect_.left + 1, rect_.top + 1, rect_.right - 1, rect_.bottom - 1};
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT);
    }
    if (loader_) picture_ = std::exchange(loader_, nullptr)();
    if (picture_) {
        DrawIconEx(dc, rect_.left + 1, rect_.top + 1, picture_.get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace tavrin
