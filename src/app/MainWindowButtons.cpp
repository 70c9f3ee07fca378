// The button menu of a group page's cell and the actions behind it: moving a
// button within its tab, swapping and copying buttons (also across tabs)
// through a pick mode in which the next click on a button is the target,
// clearing, copying the command, exploring its folder and the properties box. Each action that
// changes buttons is one step of the program: the settings file is read once
// and saved once, and the Tavrin Tab follows the buttons that changed places.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/PickCursors.h"
#include "dialogs/ButtonPropertiesDialog.h"
#include "rules/ButtonHint.h"
#include "rules/GridGeometry.h"
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
    if (!cell || swapMode_) return {};
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
// with the pointer elsewhere, of the cell pressed last on the page shown;
// the menu stands below the cell, as menus opened from the keyboard do.
void MainWindow::OpenButtonMenuFromKeyboard() {
    if (activePage_ < 1) return;
    ButtonCell* cell = pages_[activePage_].window->HoveredCell();
    if (!cell) cell = FindPanel(activePage_, currentImageId_);
    if (!cell) return;
    currentImageId_ = cell->Tag();
    contextButtonId_ = cell->Tag();
    POINT point{cell->Rect().left, cell->Rect().bottom};
    ClientToScreen(cell->Page(), &point);
    ShowButtonMenu(point);
}

// Every group page, its cells and the tab control show the cursor; the
// Tavrin Tab keeps its own, since its clicks launch as usual. A page built
// later takes the cursor then.
void MainWindow::SetPickCursor(HCURSOR cursor) {
    pickCursor_ = cursor;
    for (int page = 1; page < PageCount(); ++page) {
        if (pages_[page].window) pages_[page].window->SetPageCursor(cursor);
        SetGridCursor(page, cursor);
    }
}

void MainWindow::EnterPickMode(bool copy) {
    ButtonCell* const source = CurrentGridCell();
    if (!source) return;
    ButtonCell*& waiting = copy ? copySource_ : swapSource_;
    if (waiting) waiting->SetLook(ButtonCell::Look::Raised);  // chosen again for another source
    waiting = source;
    (copy ? copyMode_ : swapMode_) = true;
    source->SetLook(ButtonCell::Look::PickSource);
    SetPickCursor(copy ? CopyPickCursor() : SwapPickCursor());
}

// The source looks as usual again and the cursors are the default ones,
// unless the other pick mode still waits: a copy chosen before a swap keeps
// its source's look and its cursor for the click after.
ButtonCell& MainWindow::EndPickMode(bool copy) {
    (copy ? copyMode_ : swapMode_) = false;
    ButtonCell& source = *std::exchange(copy ? copySource_ : swapSource_, nullptr);
    const bool otherWaits = copy ? swapMode_ : copyMode_;
    ButtonCell* const otherSource = copy ? swapSource_ : copySource_;
    source.SetLook(otherWaits && otherSource == &source ? ButtonCell::Look::PickSource : ButtonCell::Look::Raised);
    SetPickCursor(!otherWaits ? nullptr : copy ? SwapPickCursor() : CopyPickCursor());
    return source;
}

void MainWindow::ForgetPickSourcesOn(const Page& page) {
    for (const ButtonCell* cell : page.cells) {
        if (swapMode_ && cell == swapSource_) (void)EndPickMode(false);
        if (copyMode_ && cell == copySource_) (void)EndPickMode(true);
    }
}

// The click on a group page's cell ends a waiting swap (which comes first) or
// copy; a click on the source itself ends it without a change.
bool MainWindow::CompletePick(ButtonCell& image) {
    if (swapMode_) {
        ButtonCell& source = EndPickMode(false);
        if (&source != &image) {
            XmlDocumentFile::Transaction swap;
            ExchangeButtons(source, image);
            FollowExchange(source.Tag(), image.Tag());
            swap.Commit();
        }
        return true;
    }
    if (copyMode_) {
        ButtonCell& source = EndPickMode(true);
        if (&source != &image) CopyButtonOnto(source, image);
        return true;
    }
    return false;
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
    if (ButtonStore(*storageServices_).LoadButtonSummary(target.Tag()) &&
        !services_.prompt.AskYesNo("Replace the exists icon:\r\n\r\n" + target.Hint())) {
        return;
    }
    XmlDocumentFile::Transaction copy;
    Buttons().CopyButton(source.Tag(), target.Tag());
    copy.Commit();
    RefreshPanel(target);
    RedrawTavrinTabImagesOf(target.Tag());
}

// The recent and most-used images that show a button whose record changed in
// place (edited, or replaced by a copy) show it anew; their IDs stay.
void MainWindow::RedrawTavrinTabImagesOf(int id) {
    for (const auto* images : {&recentImages_, &mostUsedImages_}) {
        for (ButtonCell* image : *images) {
            if (image->Tag() == id) DrawButtonImage(*image);
        }
    }
}

// The recent list and the most-used panel name buttons by ID: two buttons that
// traded places take each other's entries.
void MainWindow::FollowExchange(int a, int b) {
    if (Settings().SwapRecent(a, b)) FillRecentPanel();
    RedrawMostUsed(SwapInMostUsed(mostUsed_, a, b));
}

// An empty slot is asked about too; only its picture goes then.
void MainWindow::ClearButton() {
    ButtonCell* const cell = CurrentGridCell();
    if (!cell || !services_.prompt.AskYesNo("Are you sure to remove this Icon?\r\n\r\n" + cell->Hint() + " ")) return;
    const int id = cell->Tag();
    XmlDocumentFile::Transaction clear;
    (void)Buttons().DeleteButton(id);
    const bool wasRecent = Settings().RemoveRecent(id);
    clear.Commit();
    cell->SetPictureLoader({});
    cell->SetHint("");
    if (wasRecent) FillRecentPanel();
    RedrawMostUsed(RemoveFromMostUsed(mostUsed_, id));
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
    std::vector<std::string> recent = Settings().RecentList;
    for (std::string& entry : recent) {
        const std::optional<int> listed = ParseButtonID(entry);
        if (listed && IDAfterButtonMoved(*listed, id, slot) != *listed) {
            entry = std::to_string(IDAfterButtonMoved(*listed, id, slot));
        }
    }
    const bool recentMoved = recent != Settings().RecentList;
    if (recentMoved) {
        Settings().RecentList = std::move(recent);
        Settings().SaveRecent();
    }
    move.Commit();
    for (int k = std::min(from, slot); k <= std::max(from, slot); ++k) {
        if (ButtonCell* const moved = FindPanel(page, ButtonIDOf(page, k))) RefreshPanel(*moved);
    }
    if (recentMoved) FillRecentPanel();
    ChangedPositions changed;
    for (int position = 1; position <= kMostUsedPositions; ++position) {
        const int shown = mostUsed_.MostUsedIDs[position - 1];
        const int after = shown == kNoButton ? kNoButton : IDAfterButtonMoved(shown, id, slot);
        if (after != shown && SetMostUsedSlot(mostUsed_, after, position)) changed.push_back(position);
    }
    RedrawMostUsed(changed);
}

// The dialog edits a copy of the record right-clicked last (empty on an empty
// slot): the shared store draws cells meanwhile. On OK the editable fields are
// written, as a new button on an empty slot, and the cell shows the new icon
// and the hint that the grid draws for the record.
void MainWindow::EditButtonProperties() {
    const int id = contextButtonId_;
    ButtonCell* const cell = FindPanel(GroupOfButton(id), id);
    if (!cell) return;
    ButtonStore& store = Buttons();
    (void)store.LoadButton(id);
    ButtonRecord record = store.Current();
    if (record.Empty) {
        record = ButtonRecord();
        record.ID = id;
    }
    if (!ShowButtonPropertiesDialog(Handle(), record, layoutKeyNames_)) return;
    store.Current() = record;
    (void)store.WriteProperties(id);
    cell->SetPictureLoader(ButtonPicture(record.IconFile, record.IconNumber));
    cell->SetHint(ButtonHint(record.Description, record.HotKey));
    RedrawTavrinTabImagesOf(id);
}

void MainWindow::CopyButtonPath() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell || !Buttons().LoadButton(cell->Tag())) return;
    (void)PutClipboardText(Handle(), Buttons().Current().Command);
}

void MainWindow::ExploreButtonPath() {
    const ButtonCell* const cell = CurrentGridCell();
    if (!cell || !Buttons().LoadButton(cell->Tag())) return;
    Buttons().ExploreCommandFolder();
}

}  // namespace tavrin
