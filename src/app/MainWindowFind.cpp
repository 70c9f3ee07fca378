// Type to find: a printable character typed while the window is active
// begins a find over the buttons of every tab. The matches, best first, fill
// a results page shown in place of the page shown, with the best one focused;
// Enter or a click starts a match as a click on its own cell would, Backspace
// edits the text, and Esc, erasing the last character, a change of tab or
// hiding the window bring the page back. Each character is found at once, so
// Enter acts on everything typed before it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/MainWindow.h"
#include "rules/CellSpeech.h"
#include "rules/GridGeometry.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// A space only continues a find: on a page it is a click on the focused cell.
bool MainWindow::OnFindChar(wchar_t character) {
    const bool printable = character >= L' ' && character != 0x7F;
    if (!printable || pick_.Waiting() || (character == L' ' && !find_.Active())) return false;
    const bool beginning = !find_.Active();
    if (beginning) find_.Begin(FindCandidates());
    find_.Type(character);
    ShowFindResults(beginning);
    return true;
}

// The more recent a button's place in the recent list, the later its last start.
std::vector<FindCandidate> MainWindow::FindCandidates() {
    const LocalDate today = services_.clock.Today();
    const std::vector<std::string>& recent = Settings().RecentList;
    std::vector<FindCandidate> candidates;
    for (ButtonRecord& button : Buttons().StoredLaunchButtons(PageCount() - 1)) {
        const auto place = std::ranges::find(recent, std::to_string(button.ID));
        candidates.push_back({.id = button.ID,
                              .description = std::move(button.Description),
                              .fileName = CommandFileName(button.Command),
                              .weekStarts = WeekCount(button, today),
                              .totalStarts = button.TotolRunTimes,
                              .lastStart = static_cast<std::int64_t>(recent.end() - place)});
    }
    return candidates;
}

TabPage& MainWindow::FindPage() {
    if (findPage_) return *findPage_;
    findPage_ = std::make_unique<TabPage>(
        tabControl_,
        TabPage::Listeners{
            .hint = [this](const ButtonCell* cell) { SetStatusText(0, cell ? cell->Hint() : std::string()); },
            .emptyAreaPressed = [] {},
            .key = [this](UINT message, WPARAM key, LPARAM lParam) { return OnFindPageKey(message, key, lParam); }});
    // A screen reader hears a match as "match 2 of 5" (of the matches shown) of the found buttons.
    findPage_->SetDescriber({.caption = [] { return std::string("Found buttons"); },
                             .place =
                                 [this](const ButtonCell& cell) {
                                     const auto index = std::ranges::find(findCells_, &cell) - findCells_.begin();
                                     return CellPlace{"match " + std::to_string(index + 1) + " of " +
                                                          std::to_string(find_.Result().ids.size()),
                                                      ""};
                                 }});
    PlacePageWindow(*findPage_);
    for (std::size_t slot = 1; slot <= FindMode::kShownMatches; ++slot) {
        findCells_.push_back(&findPage_->AddCell(
            CellOfSlot(static_cast<int>(slot), dpi_), GridAt(dpi_).icon, 0,
            [this](ButtonCell& cell, ButtonCell::Event event) { OnCellEvent(cell, event, CellKind::Found); }));
    }
    return *findPage_;
}

// Within one find a cell that keeps its match keeps its picture: a keystroke
// then costs only the cells whose match changed (each picture is a shell
// request). A new find draws every cell, as records may have changed since.
void MainWindow::ShowFindResults(bool redrawAll) {
    TabPage& page = FindPage();
    const std::vector<int>& ids = find_.Result().ids;
    {
        const XmlDocumentFile::Transaction oneRead;
        for (std::size_t i = 0; i < findCells_.size(); ++i) {
            const int id = i < ids.size() ? ids[i] : 0;
            if (!redrawAll && findCells_[i]->Tag() == id) continue;
            findCells_[i]->SetTag(id);
            DrawButtonImage(*findCells_[i]);
        }
    }
    page.SetFocusedCell(findCells_.front());
    if (!IsWindowVisible(page.Handle())) {
        if (activePage_ >= 0) ShowWindow(pages_[activePage_].window->Handle(), SW_HIDE);
        ShowWindow(page.Handle(), SW_SHOW);
    }
    SetFocus(page.Handle());
    ShowStatusLine(find_.StatusText());
}

void MainWindow::EndFind() {
    if (!find_.Active()) return;
    find_.End();
    const bool hadFocus = GetFocus() == findPage_->Handle();
    ShowWindow(findPage_->Handle(), SW_HIDE);
    if (activePage_ >= 0) ShowWindow(pages_[activePage_].window->Handle(), SW_SHOW);
    ShowStatusLine("");
    if (hadFocus) FocusPageOrTabs(true);
}

// Space is a character of the text here; Enter clicks the focused match.
bool MainWindow::OnFindPageKey(UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_CHAR && key == VK_BACK) {
        find_.EraseLast();
        if (find_.Text().empty()) {
            EndFind();
        } else {
            ShowFindResults(false);
        }
        return true;
    }
    if (message == WM_CHAR) return OnFindChar(static_cast<wchar_t>(key));
    if (key == VK_SPACE) return false;
    return OnPageKey(message, key, lParam);
}

void MainWindow::LaunchFound(const ButtonCell& cell) {
    const int id = cell.Tag();
    if (id == 0) return;
    EndFind();
    LaunchGridButton(id);
}

}  // namespace tavrin
