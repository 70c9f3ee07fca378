// The cell that files dragged over the window would land on, shown as a drop
// target; the look it had comes back when the drag moves off it or ends.
#pragma once

#include "app/ButtonCell.h"

namespace tavrin {

class DropHover {
public:
    // Shows cell (null: none) as the drop target.
    void Over(ButtonCell* cell) {
        if (cell == cell_) return;
        End();
        if (!cell) return;
        lookBefore_ = cell->CurrentLook();
        cell->SetLook(ButtonCell::Look::DropTarget);
        cell_ = cell;
    }
    void End() {
        if (cell_) cell_->SetLook(lookBefore_);
        cell_ = nullptr;
    }

private:
    ButtonCell* cell_ = nullptr;
    ButtonCell::Look lookBefore_ = ButtonCell::Look::Raised;
};

}  // namespace tavrin
