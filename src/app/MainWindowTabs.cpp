// The tab menu and its actions: create, rename, delete and move group pages.
// A group's name, its page and the hundreds of its buttons' IDs always agree,
// so moving or deleting a page renumbers buttons in the settings file and on
// the cells.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/MainWindow.h"
#include "dialogs/TabNameDialog.h"
#include "rules/GridGeometry.h"
#include "rules/TabActions.h"
#include "win32/Utf16.h"

namespace tavrin {

// Selecting the tab this way is no page change: the stored page and the sound stay.
unique_hmenu MainWindow::PrepareTabMenu(int tabItem) {
    if (const int page = PageOfTabItem(tabItem); page >= 0) SetActivePage(page);
    unique_hmenu menu(CreatePopupMenu());
    AppendMenuItems(menu.get(), kTabMenu);
    const TabMenuRules rules = TabMenuFor(activePage_, PageCount());
    const auto enable = [&menu](Command command, bool enabled) {
        EnableMenuItem(menu.get(), static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(Command::MoveTabLeft, rules.moveLeft);
    enable(Command::MoveTabRight, rules.moveRight);
    enable(Command::DeleteTab, rules.remove);
    CheckMenuItem(menu.get(), static_cast<UINT>(Command::ShowTavrinTab),
                  MF_BYCOMMAND | (Settings().ShowAppPanel ? MF_CHECKED : MF_UNCHECKED));
    return menu;
}

// At the place of the right-click that asked for the menu; a right-click that
// ends a waiting pick shows none.
void MainWindow::ShowTabMenu() {
    if (pick_.End()) return;
    const DWORD position = GetMessagePos();
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    TCHITTESTINFO hit{};
    hit.pt = point;
    ScreenToClient(tabControl_, &hit.pt);
    ShowTabMenuAt(point, TabCtrl_HitTest(tabControl_, &hit));
}

// The menu key and Shift+F10 on the focused tab strip: the menu of the active
// tab, below its tab, as menus opened from the keyboard stand.
void MainWindow::ShowTabMenuFromKeyboard() {
    if (pick_.End()) return;
    const int selected = TabCtrl_GetCurSel(tabControl_);
    RECT tab{};
    if (selected < 0 || !TabCtrl_GetItemRect(tabControl_, selected, &tab)) return;
    POINT point{tab.left, tab.bottom};
    ClientToScreen(tabControl_, &point);
    ShowTabMenuAt(point, selected);
}

void MainWindow::ShowTabMenuAt(POINT point, int tabItem) {
    const unique_hmenu menu = PrepareTabMenu(tabItem);
    const UINT chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    RunCommand(CommandOfMenuId(chosen));
}

// The new page becomes the active one without a page change: the page the
// program reopens on stays the one the user chose last.
void MainWindow::NewTab() {
    const std::optional<std::string> name = ShowTabNameDialog(Handle(), "");
    if (!name) return;
    Settings().AddGroup(*name);
    AddPage(Widen(*name));
    RefreshTabItems();
    SetActivePage(PageCount() - 1);
}

// The Tavrin Tab's caption is an option; a group page's is its group's name.
void MainWindow::RenameActiveTab() {
    const int page = activePage_;
    if (page < 0) return;
    const std::optional<std::string> name = ShowTabNameDialog(Handle(), Narrow(pages_[page].caption));
    if (!name) return;
    pages_[page].caption = Widen(*name);
    RefreshTabItems();
    if (page > 0) {
        Settings().SetGroupName(page, *name);
    } else {
        Settings().FavoriteGroup = *name;
        Settings().SaveSettings();
    }
}

// The last group page stays: the rules of the menu hold for the command from anywhere.
void MainWindow::DeleteActiveTab() {
    const int page = activePage_;
    if (!TabMenuFor(page, PageCount()).remove) return;
    if (!services_.prompt.AskYesNo("Are you sure to remove this tabsheet and all the icons within?\r\n\r\n" +
                                   Narrow(pages_[page].caption))) {
        return;
    }
    RemoveTab(page);
    SyncButtonHotKeys();
}

// The page after the removed one takes its place as the active page, or the
// one before when it was the last; the page the program reopens on follows
// the same way, so that it never names a page that is gone. A page beyond the
// group list (the options lowered the number of groups) leaves its buttons
// stored for a later page of that number, and the Tavrin Tab as it is.
void MainWindow::RemoveTab(int page) {
    if (page < 1 || page >= PageCount()) return;
    const bool deleted = Settings().DeleteGroup(page);
    pick_.ForgetSourceAmong(pages_[page].cells);
    pages_.erase(pages_.begin() + page);
    const auto following = [this, page](int index) { return index > page || index >= PageCount() ? index - 1 : index; };
    const int active = following(activePage_);
    Settings().LastPanelIndex = following(Settings().LastPanelIndex);
    RefreshTabItems();
    SetActivePage(active);
    for (int later = page; later < PageCount(); ++later) RenumberTab(later);
    if (deleted) FollowRemovedTab(page);
}

// The Tavrin Tab would otherwise show the buttons that took the old IDs.
void MainWindow::FollowRemovedTab(int page) {
    if (std::vector<std::string> recent = RecentAfterTabRemoved(Settings().RecentList, page);
        recent != Settings().RecentList) {
        Settings().RecentList = std::move(recent);
        Settings().SaveRecent();
        tavrinTab_.ShowRecent(Settings().RecentList);
    }
    tavrinTab_.RedrawMostUsed(MostUsedAfterTabRemoved(tavrinTab_.MostUsed(), page));
}

// Pages removed here lie beyond the group list, so RemoveTab deletes no
// buttons: a page of that number made later shows them again.
void MainWindow::MatchPagesToGroups() {
    const std::vector<std::string>& names = Settings().GroupNames;
    const int groups = static_cast<int>(names.size());
    const int pages = PageCount() - 1;
    for (int page = 1; page <= std::min(groups, pages); ++page) pages_[page].caption = Widen(names[page - 1]);
    for (int page = pages; page > groups; --page) RemoveTab(page);
    for (int tabIndex = pages + 1; tabIndex <= groups; ++tabIndex) {
        BuildButtonGrid(AddPage(Widen(names[tabIndex - 1])), tabIndex);
    }
    LayoutPages();
    RefreshTabItems();
    SetActivePage(activePage_);
}

// One transaction: the two tabs' buttons, their names and the recent list are
// exchanged in one save, so the file never holds half of the move. Then slot by
// slot the tags of the cells are exchanged, so the cells keep showing the same
// records, and the Tavrin Tab follows the IDs.
void MainWindow::MoveActiveTab(int step) {
    const int from = activePage_;
    const int to = from + step;
    if (from <= 0 || to <= 0 || from == to || from >= PageCount() || to >= PageCount()) return;
    bool recentMoved = false;
    XmlDocumentFile::Transaction move;  // the cells are drawn anew from its tree
    for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
        Buttons().ExchangeButtons(ButtonIDOf(from, slot), ButtonIDOf(to, slot));
        recentMoved = Settings().SwapRecent(ButtonIDOf(from, slot), ButtonIDOf(to, slot)) || recentMoved;
    }
    Settings().SetGroupName(from, Narrow(pages_[to].caption));
    Settings().SetGroupName(to, Narrow(pages_[from].caption));
    move.Commit();
    for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
        const int f = ButtonIDOf(from, slot);
        const int t = ButtonIDOf(to, slot);
        RetagPanel(from, f, t);
        RetagPanel(to, t, f);
        tavrinTab_.RedrawMostUsed(SwapInMostUsed(tavrinTab_.MostUsed(), f, t));
    }
    if (recentMoved) tavrinTab_.ShowRecent(Settings().RecentList);
    std::swap(pages_[from], pages_[to]);
    RefreshTabItems();
    SetActivePage(to);
    SyncButtonHotKeys();
}

}  // namespace tavrin
