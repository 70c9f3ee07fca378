// The grid of tab names in the options dialog: one row per group, a narrow
// fixed column with the row number counted from 0, and a name cell that is
// always open for typing. Tab and Shift+Tab (the grid is a control parent) and
// the Up and Down keys move between the name cells; the cell with the focus is
// scrolled into view, and the grid scrolls by rows with its scroll bar and the
// mouse wheel. Screen readers call each name cell "Tab name <row number>".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/BaseWindow.h"

namespace tavrin {

class NamesGrid : public BaseWindow<NamesGrid> {
public:
    // In pixels at the grid's scale.
    struct Metrics {
        int rowHeight;
        int numberWidth;  // of the fixed column
        int textMargin;   // between a cell's edge and its text
    };

    // A child of parent at place (pixels of the parent's client area).
    NamesGrid(HWND parent, const RECT& place, int id, HFONT font, Metrics metrics);

    [[nodiscard]] int RowCount() const noexcept { return static_cast<int>(rows_.size()); }
    // New rows are appended empty at the bottom; surplus rows go from the bottom with their names.
    void SetRowCount(int rows);
    [[nodiscard]] std::string Name(int row) const;
    void SetName(int row, const std::string& name);
    // The name cell of a row: an edit control.
    [[nodiscard]] HWND Cell(int row) const { return rows_.at(static_cast<size_t>(row)).cell; }
    [[nodiscard]] int TopRow() const noexcept { return topRow_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR grid) noexcept;

    void Paint();
    void PlaceCells();
    void UpdateScrollBar();
    void ScrollTo(int topRow);
    void ScrollIntoView(int row);
    void FocusCell(int row);
    [[nodiscard]] int VisibleRows() const;
    [[nodiscard]] int RowOfCell(HWND cell) const;

    // Children of the grid, destroyed with it: the name cell, and before it a
    // hidden label that accessibility clients take as the cell's name.
    struct Row {
        HWND label;
        HWND cell;
    };

    HFONT font_;
    Metrics metrics_;
    std::vector<Row> rows_;
    int topRow_ = 0;
    int wheelDelta_ = 0;
};

}  // namespace tavrin
