// One page of the main window's tab control: the Tavrin Tab or a group page.
// The page owns its button cells, paints them and hit-tests the mouse to give
// each cell its events: a left button is captured between down and up as a
// button does, a double click is one click, and a press that loses the capture
// (another window activated, the window hidden) comes up without a click. The
// hint listener hears which cell the pointer is over whenever that changes,
// null over empty page area and outside the page, and hears that cell again
// when its hint changes. A right-click on the page's empty area shows no menu;
// the keyboard's menu key is left to the main window, which knows the cell it
// is meant for.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/ButtonCell.h"
#include "win32/BaseWindow.h"

namespace tavrin {

class TabPage : public BaseWindow<TabPage> {
public:
    using HintListener = std::function<void(const ButtonCell* cell)>;

    // emptyAreaPressed hears a press of either mouse button on the page outside its cells.
    TabPage(HWND parent, HintListener hintListener, std::function<void()> emptyAreaPressed);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A new cell at `place` of the page; it lives as long as the page or until ClearCells.
    ButtonCell& AddCell(const CellRect& place, int iconSize, int tag, ButtonCell::Listener listener);
    void ClearCells();
    // The cell under the pointer; null over empty page area and outside the page.
    [[nodiscard]] ButtonCell* HoveredCell() const noexcept { return hovered_; }
    // The cursor of the page outside cells that have one of their own; null: the arrow.
    void SetPageCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }
    // The Tavrin Tab draws a raised vertical line in the middle of `area`, between its buttons and tools.
    void SetDivider(const CellRect& area);

private:
    [[nodiscard]] ButtonCell* CellAt(POINT point) const noexcept;
    void Paint();
    void TrackPointer(POINT point);
    void SetHovered(ButtonCell* cell);
    void LeftButtonUp(POINT point);
    void CancelPress();

    std::optional<CellRect> divider_;
    HintListener hintListener_;
    std::function<void()> emptyAreaPressed_;
    std::vector<std::unique_ptr<ButtonCell>> cells_;
    ButtonCell* hovered_ = nullptr;  // the cell under the pointer; null over empty area or outside
    ButtonCell* pressed_ = nullptr;  // the cell that holds the left button down
    bool pressedOnFrame_ = false;
    bool tracking_ = false;  // TrackMouseEvent reports the pointer leaving the page
    HCURSOR cursor_ = nullptr;
};

}  // namespace tavrin
