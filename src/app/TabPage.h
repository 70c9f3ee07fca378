// One page of the main window's tab control: the Tavrin Tab or a group page.
// The page owns its button cells, paints them and hit-tests the mouse to give
// each cell its events: a left button is captured between down and up as a
// button does, a double click is one click, and a press that loses the capture
// (another window activated, the window hidden) comes up without a click. The
// hint listener hears which cell the pointer is over whenever that changes,
// null over empty page area and outside the page, and hears that cell again
// when its hint changes; it also hears the cell a key moved the focus to. A
// right-click on the page's empty area shows no menu; the keyboard's menu key
// is left to the main window, which knows the cell it is meant for.
//
// The page takes the keyboard focus and keeps one focused cell, which a press
// on a cell moves to it and the arrow keys, Home and End move over the cells.
// It is drawn with the system's focus rectangle while the window shows focus
// cues (once the keyboard has been used). Other keys and characters go to the
// key listener.
//
// Screen readers see the page and its cells through PageAccessibility; the
// describer tells them the page's caption and where each cell stands, and
// the page raises the focus event of the focused cell whenever the focus
// moves while the page has the keyboard.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ButtonCell.h"
#include "app/PageAccessible.h"
#include "rules/CellSpeech.h"
#include "rules/FocusMove.h"
#include "win32/BaseWindow.h"

namespace tavrin {

class TabPage : public BaseWindow<TabPage> {
public:
    using HintListener = std::function<void(const ButtonCell* cell)>;
    // Hears WM_KEYDOWN (but the focus keys) and WM_CHAR as the page got them; true: the key was used.
    using KeyListener = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    struct Listeners {
        HintListener hint;
        std::function<void()> emptyAreaPressed;  // a press of either mouse button outside the cells
        KeyListener key;
    };

    // What a screen reader is told beyond the cells' own names and hints.
    struct Describer {
        std::function<std::string()> caption;               // of the page's tab
        std::function<CellPlace(const ButtonCell&)> place;  // where a cell stands
    };

    TabPage(HWND parent, Listeners listeners);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A new cell at `place` of the page; it lives as long as the page or until ClearCells.
    ButtonCell& AddCell(const CellRect& place, int iconSize, int tag, ButtonCell::Listener listener);
    void ClearCells();
    // The cell under the pointer; null over empty page area and outside the page.
    [[nodiscard]] ButtonCell* HoveredCell() const noexcept { return hovered_; }
    // The cell with the keyboard focus (the first one until a key or a press moves it); null without cells.
    [[nodiscard]] ButtonCell* FocusedCell() const noexcept;
    // Whether the keyboard moved the focus since the pointer last came onto a cell.
    [[nodiscard]] bool FocusMovedByKeyboard() const noexcept { return focusByKeyboard_; }
    void SetFocusedCell(ButtonCell* cell);
    // The cursor of the page outside cells that have one of their own; null: the arrow.
    void SetPageCursor(HCURSOR cursor) noexcept { cursor_ = cursor; }
    // The Tavrin Tab draws a raised vertical line in the middle of `area`, between its buttons and tools.
    void SetDivider(const CellRect& area);

    // The cells in the page's order, which is the order they were added in.
    [[nodiscard]] int CellCount() const noexcept { return static_cast<int>(cells_.size()); }
    // Null for an index outside the cells.
    [[nodiscard]] ButtonCell* CellAtIndex(int index) const noexcept;
    // -1 for null and for a cell of another page.
    [[nodiscard]] int IndexOf(const ButtonCell* cell) const noexcept;
    [[nodiscard]] ButtonCell* CellAt(POINT point) const noexcept;
    // The index of the cell an arrow key, Home or End takes the focus to from the cell at index.
    [[nodiscard]] int NeighbourIndex(int index, FocusKey key) const;
    [[nodiscard]] bool HasKeyboard() const noexcept { return GetFocus() == Handle(); }
    // The cell takes the focus and the page the keyboard, as a screen reader asks.
    void FocusCellAndPage(ButtonCell* cell);
    // Presses the cell once the messages waiting now are handled (ButtonCell::Press).
    void PressLater(const ButtonCell& cell);

    void SetDescriber(Describer describer) { describer_ = std::move(describer); }
    [[nodiscard]] std::string Caption() const { return describer_.caption ? describer_.caption() : std::string(); }
    [[nodiscard]] CellPlace PlaceOf(const ButtonCell& cell) const {
        return describer_.place ? describer_.place(cell) : CellPlace{};
    }

private:
    void Paint();
    void TrackPointer(POINT point);
    void SetHovered(ButtonCell* cell);
    void LeftButtonUp(POINT point);
    void CancelPress();
    [[nodiscard]] bool MoveFocus(UINT key);
    void ShowFocusCues();
    void TakeFocus(ButtonCell* cell);
    void InvalidateFocus() const;
    void AnnounceFocus() const;

    std::optional<CellRect> divider_;
    Listeners listeners_;
    Describer describer_;
    std::vector<std::unique_ptr<ButtonCell>> cells_;
    ButtonCell* hovered_ = nullptr;  // the cell under the pointer; null over empty area or outside
    ButtonCell* pressed_ = nullptr;  // the cell that holds the left button down
    ButtonCell* focused_ = nullptr;  // null: the first cell
    bool focusByKeyboard_ = false;
    bool pressedOnFrame_ = false;
    bool tracking_ = false;  // TrackMouseEvent reports the pointer leaving the page
    HCURSOR cursor_ = nullptr;
    PageAccessibility accessibility_{*this};
};

}  // namespace tavrin
