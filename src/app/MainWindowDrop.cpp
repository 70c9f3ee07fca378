// Files dropped onto the window: the first name dropped onto a cell of a group
// page becomes that slot's button. The Tavrin Tab, the tab strip and the status
// bar take no drops. The cell under a drag is shown as its drop target.
#include "app/MainWindow.h"

namespace tavrin {

void MainWindow::RegisterDropTarget() {
    dropTarget_.emplace(Handle(),
                        FileDropHandlers{
                            [this](POINT point) { return DragOverCell(point); },
                            [this] { dropHover_.End(); },
                            [this](POINT point, const std::vector<std::string>& names) { FilesDropped(point, names); },
                        });
}

IDropTarget* MainWindow::DropTarget() const noexcept {
    return dropTarget_ && dropTarget_->Registered() ? dropTarget_->Target() : nullptr;
}

// Only the active page shows cells, and only a group page's cells take drops.
ButtonCell* MainWindow::DropCellAt(POINT screenPoint) const {
    if (activePage_ < 1) return nullptr;
    const Page& page = pages_[activePage_];
    POINT point = screenPoint;
    ScreenToClient(page.window->Handle(), &point);
    RECT client{};
    GetClientRect(page.window->Handle(), &client);
    if (!PtInRect(&client, point)) return nullptr;
    for (ButtonCell* cell : page.cells) {
        if (cell->Contains(point)) return cell;
    }
    return nullptr;
}

bool MainWindow::DragOverCell(POINT screenPoint) {
    ButtonCell* const cell = DropCellAt(screenPoint);
    dropHover_.Over(cell);
    return cell != nullptr;
}

void MainWindow::FilesDropped(POINT screenPoint, const std::vector<std::string>& names) {
    const ButtonCell* const cell = DropCellAt(screenPoint);
    if (!cell || names.front().empty()) return;
    pendingDrop_ = PendingDrop{cell->Tag(), names.front()};
    PostMessageW(Handle(), kDroppedMessage, 0, 0);
}

// The cell is found again by the slot's button ID: the grids may have changed
// since the drop.
void MainWindow::AddDroppedButton() {
    const std::optional<PendingDrop> drop = std::exchange(pendingDrop_, std::nullopt);
    if (!drop || !Buttons().AddButtonFromPath(drop->id, drop->name, Settings().AnalyseLinkFile)) return;
    for (int page = 1; page < PageCount(); ++page) {
        for (ButtonCell* cell : pages_[page].cells) {
            if (cell->Tag() == drop->id) RefreshPanel(*cell);
        }
    }
    SyncButtonHotKeys();  // a button replaced by the drop gives up its hot key
}

}  // namespace tavrin
