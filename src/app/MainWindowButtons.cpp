// The button menu of a group page's cell and the actions behind it: moving a
// button within its tab, swapping and copying buttons (also across tabs)
// through a pick mode in which the next click on a button is the target,
// clearing, copying the command, exploring its folder and the properties box. Each action that
// changes buttons is one step of the program: the settings file is read once
// and saved once, and the Tavrin Tab follows the buttons that changed places.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "dialogs/ButtonPropertiesDialog.h"
#include "rules/GridGeometry.h"
#include "rules/TabActions.h"
#include "win32/Clipboard.h"
#include "win32/Dpi.h"
#include "win32/ShownText.h"
#include "win32/Utf16.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {
namespace {

// The Explorer entry names the button by its hint, cut to half the width of
// the work area: a long description would make the menu wider than the screen.
std::wstring ExploreCaption(HWND window, int dpi, const std::string& hint) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const unique_hfont font = CreateUiFont(dpi, UiFont::Menu);
    const std::wstring shown =
        CutToWidth(window, font.get(), Widen(hint), (monitor.rcWork.right - monitor.rcWork.left) / 2);
    std::wstring caption = kExploreButtonCaption;
    caption.replace(caption.find(L"%s"), 2, WithLiteralAmpersands(shown));
    return caption;
}

}  // namespace

ButtonCell* MainWindow::FindPanel(int page, int id) const {
    if (page < 1 || page >= PageCount()) return nullptr;
    for (ButtonCell* cell : pages_[page].cells) {
        if (cell->Tag() == id) return cell;
    }
    return nullptr;
}

// The cell pressed last, when it is a cell of a group page.
ButtonCell* MainWindow::CurrentGridCell() const { return FindPanel(GroupOfButton(currentImageId_), currentImageId_); }

unique_hmenu MainWindow::PrepareButtonMenu() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell || pick_.Waiting()) return {};
    unique_hmenu menu(CreatePopupMenu());
    AppendMenuItems(menu.get(), kButtonMenu);
    const auto enable = [&menu](Command command, bool enabled) {
        EnableMenuItem(menu.get(), static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    const int slot = SlotOfButton(cell->Tag());
    enable(Command::MoveButtonToFirst, slot > 1);
    enable(Command::MoveButtonLeft, slot > 1);
    enable(Command::MoveButtonAfter, slot < kSlotsPerGroup);
    enable(Command::MoveButtonToLast, slot < kSlotsPerGroup);
    const std::wstring explore = ExploreCaption(Handle(), dpi_, cell->Hint());
    const auto exploreId = static_cast<UINT>(Command::ExploreButtonPath);
    ModifyMenuW(menu.get(), exploreId, MF_BYCOMMAND | MF_STRING, exploreId, explore.c_str());
    enable(Command::ResetButtonCounts, cell->HasPicture());
    enable(Command::CopyButtonPath, cell->HasPicture());
    enable(Command::ExploreButtonPath, cell->HasPicture());
    SetMenuDefaultItem(menu.get(), static_cast<UINT>(kButtonMenu.back()), FALSE);
    return menu;
}

void MainWindow::ShowButtonMenu(POINT screenPoint) {
    const unique_hmenu menu = PrepareButtonMenu();
    if (!menu) return;
    const UINT chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, Handle(), nullptr);
    RunCommand(CommandOfMenuId(chosen));
}

// The menu key and Shift+F10 open the menu of the cell under the pointer or,
// with the pointer elsewhere or after the keyboard moved the focus, of the
// focused cell (the one pressed last, unless a key moved it) on the page
// shown; the menu stands below the cell, as menus opened from the keyboard do.
void MainWindow::OpenButtonMenuFromKeyboard() {
    if (activePage_ < 1) return;
    const TabPage& page = *pages_[activePage_].window;
    ButtonCell* const hovered = page.FocusMovedByKeyboard() ? nullptr : page.HoveredCell();
    ButtonCell* const cell = hovered ? hovered : page.FocusedCell();
    if (!cell) return;
    currentImageId_ = cell->Tag();
    contextButtonId_ = cell->Tag();
    POINT point{cell->Rect().left, cell->Rect().bottom};
    ClientToScreen(cell->Page(), &point);
    ShowButtonMenu(point);
}

// Every group page, its cells and the tab control show the cursor; the
// Tavrin Tab keeps its own, since its clicks launch as usual. A page built
// later takes the cursor then. The status bar shows the pick's text alone
// while it waits, and its panels again after.
void MainWindow::ShowPick(HCURSOR cursor, const std::string& statusText) {
    for (int page = 1; page < PageCount(); ++page) {
        if (pages_[page].window) pages_[page].window->SetPageCursor(cursor);
        SetGridCursor(page, cursor);
    }
    ShowStatusLine(statusText);
}

void MainWindow::BeginPick(PickMode::Kind kind) {
    if (ButtonCell* const source = CurrentGridCell()) pick_.Begin(kind, *source);
}

// The click on a group page's cell ends a waiting swap or copy; a click on the
// source itself ends it without a change.
bool MainWindow::CompletePick(ButtonCell& image) {
    const std::optional<PickMode::Pick> pick = pick_.End();
    if (!pick) return false;
    if (pick->source == &image) return true;
    if (pick->kind == PickMode::Kind::Copy) {
        CopyButtonOnto(*pick->source, image);
        return true;
    }
    XmlDocumentFile::Transaction swap;
    ExchangeButtons(*pick->source, image);
    FollowExchange(pick->source->Tag(), image.Tag());
    swap.Commit();
    SyncButtonHotKeys();
    return true;
}

void MainWindow::ExchangeButtons(ButtonCell& a, ButtonCell& b) {
    if (a.Tag() == b.Tag()) return;
    Buttons().ExchangeButtons(a.Tag(), b.Tag());
    RefreshPanel(a);
    RefreshPanel(b);
}

// A copy replaces a button only after the question, which is asked before the
// transaction so that no other copy waits for the user; its counters go with it.
void MainWindow::CopyButtonOnto(ButtonCell& source, ButtonCell& target) {
    if (source.Tag() == target.Tag()) return;
    if (Buttons().LoadSummary(target.Tag()) &&
        !services_.prompt.AskYesNo("Replace the exists icon:\r\n\r\n" + target.Hint())) {
        return;
    }
    XmlDocumentFile::Transaction copy;
    Buttons().CopyButton(source.Tag(), target.Tag());
    copy.Commit();
    RefreshPanel(target);
    tavrinTab_.RedrawImagesOf(target.Tag());
    SyncButtonHotKeys();
}

// The recent list and the most-used panel name buttons by ID: two buttons that
// traded places take each other's entries.
void MainWindow::FollowExchange(int a, int b) {
    if (Settings().SwapRecent(a, b)) tavrinTab_.ShowRecent(Settings().RecentList);
    tavrinTab_.RedrawMostUsed(SwapInMostUsed(tavrinTab_.MostUsed(), a, b));
}

// An empty slot is asked about too; only its picture goes then.
void MainWindow::ClearButton() {
    ButtonCell* const cell = CurrentGridCell();
    if (!cell || !services_.prompt.AskYesNo("Are you sure to remove this Icon?\r\n\r\n" + cell->Hint() + " ")) return;
    const int id = cell->Tag();
    XmlDocumentFile::Transaction clear;
    (void)Buttons().Delete(id);
    const bool wasRecent = Settings().RemoveRecent(id);
    clear.Commit();
    ShowButton(*cell, std::nullopt);
    if (wasRecent) tavrinTab_.ShowRecent(Settings().RecentList);
    tavrinTab_.RedrawMostUsed(RemoveFromMostUsed(tavrinTab_.MostUsed(), id));
    SyncButtonHotKeys();
}

// The button's starts are forgotten in one save; with none left it leaves the most-used panel.
void MainWindow::ResetButtonCounts() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell || !cell->HasPicture() ||
        !services_.prompt.AskYesNo("Reset the usage counts of this button to 0?\r\n\r\n" + cell->Hint())) {
        return;
    }
    const int id = cell->Tag();
    XmlDocumentFile::Transaction reset;  // the panel is drawn from its tree
    if (!Buttons().ResetCounts(id)) return;
    reset.Commit();
    tavrinTab_.RedrawMostUsed(RemoveFromMostUsed(tavrinTab_.MostUsed(), id));
}

// Move left (offset -1) and Move after (offset 1): the two rows are one sequence,
// so slot 10 goes after into slot 11 and slot 11 left into slot 10.
void MainWindow::MoveButtonBeside(int offset) {
    ButtonCell* const cell = CurrentGridCell();
    if (!cell || !IsGridSlot(SlotOfButton(cell->Tag()) + offset)) return;
    ButtonCell* const neighbour = FindPanel(GroupOfButton(cell->Tag()), cell->Tag() + offset);
    if (!neighbour) return;
    XmlDocumentFile::Transaction move;
    ExchangeButtons(*cell, *neighbour);
    FollowExchange(cell->Tag(), neighbour->Tag());
    move.Commit();
    SyncButtonHotKeys();
}

// To the first or the last slot, whatever empty slots lie on the way; the
// buttons between shift one place, and the Tavrin Tab follows them all.
void MainWindow::MoveButtonToSlot(int slot) {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell) return;
    const int id = cell->Tag();
    const int page = GroupOfButton(id);
    const int from = SlotOfButton(id);
    if (from == slot) return;
    XmlDocumentFile::Transaction move;
    Buttons().MoveButtonToSlot(id, slot);
    std::vector<std::string> recent = RecentAfterButtonMoved(Settings().RecentList, id, slot);
    const bool recentMoved = recent != Settings().RecentList;
    if (recentMoved) {
        Settings().RecentList = std::move(recent);
        Settings().SaveRecent();
    }
    move.Commit();
    for (int k = std::min(from, slot); k <= std::max(from, slot); ++k) {
        if (ButtonCell* const moved = FindPanel(page, ButtonIDOf(page, k))) RefreshPanel(*moved);
    }
    if (recentMoved) tavrinTab_.ShowRecent(Settings().RecentList);
    tavrinTab_.RedrawMostUsed(MostUsedAfterButtonMoved(tavrinTab_.MostUsed(), id, slot));
    SyncButtonHotKeys();
}

// The dialog edits the record right-clicked last (empty on an empty slot). On OK the editable fields are
// written, as a new button on an empty slot, and the cell shows the new icon
// and the hint that the grid draws for the record. The box keeps a hot key
// that cannot be registered from being written; the new one replaces the old.
void MainWindow::EditButtonProperties() {
    const int id = contextButtonId_;
    ButtonCell* const cell = FindPanel(GroupOfButton(id), id);
    if (!cell) return;
    ButtonRecord record = Buttons().Load(id).value_or(ButtonRecord{});
    record.ID = id;
    const PropertiesServices properties{services_.fs, services_.shell, layoutKeyNames_,
                                        [this, id](const std::string& text) { return HotKeyRefusalLine(id, text); }};
    if (!ShowButtonPropertiesDialog(Handle(), record, properties)) return;
    Buttons().WriteProperties(id, record);
    ShowButton(*cell, record);
    tavrinTab_.RedrawImagesOf(id);
    SyncButtonHotKeys();
}

void MainWindow::CopyButtonPath() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell) return;
    const std::optional<ButtonRecord> button = Buttons().Load(cell->Tag());
    if (button && button->IsLaunchButton()) (void)PutClipboardText(Handle(), button->Command);
}

void MainWindow::ExploreButtonPath() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell) return;
    const std::optional<ButtonRecord> button = Buttons().Load(cell->Tag());
    if (button && button->IsLaunchButton()) Buttons().ExploreCommandFolder(button->Command);
}

}  // namespace tavrin
