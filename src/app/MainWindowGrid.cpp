// The tab control with the Tavrin Tab and the group pages, the button grids,
// the status bar and the pressed look of the cells.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "app/MainWindow.h"
#include "app/ProgramResources.h"
#include "rules/ButtonHint.h"
#include "rules/CellSpeech.h"
#include "rules/GridGeometry.h"
#include "shell/ShellIcons.h"
#include "win32/Dpi.h"
#include "win32/ShownText.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// At 96 DPI: the width of the status bar's hint panel, and what the usage
// panel of the last start needs beside its text for its edges and the space
// the status bar leaves before and after the text.
constexpr int kHintPanelWidth = 260;
constexpr int kStatusTextMargin = 10;
// A tab item costs about half a millisecond under Wine: before the first
// paint the strip gets the items up to the tab shown and this many after it,
// more than fill it at any width; the others come after the first paint.
constexpr int kTabItemsAfterShown = 16;

HWND CreateControl(const wchar_t* className, DWORD style, HWND parent) {
    const HWND control = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr,
                                         nullptr, nullptr);
    if (!control) ThrowLastError("CreateWindowExW");
    return control;
}

}  // namespace

void MainWindow::BuildGroupTabs() {
    dpi_ = DpiOf(Handle());
    tabControl_ = CreateControl(WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, Handle());
    statusBar_ = CreateControl(STATUSCLASSNAMEW, 0, Handle());

    Settings().LoadGroups();
    AddPage(Widen(Settings().FavoriteGroup));
    for (const std::string& name : Settings().GroupNames) AddPage(Widen(name));
    BuiltPage(0);  // the Tavrin Tab's panels are filled at start-up, whichever page is shown
    const int shown = std::clamp(Settings().LastPanelIndex, 0, PageCount() - 1);
    AppendTabItems(TabItemsBefore(shown) + 1 + kTabItemsAfterShown);
    LayOut();
}

// Sizes everything for the window's DPI: the font, the client area (the tab
// control over the status bar), the pages and their cells.
void MainWindow::LayOut() {
    const GridMetrics grid = GridAt(dpi_);
    font_ = CreateUiFont(dpi_);
    SendMessageW(tabControl_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);  // takes the height of its font

    // The pages hold two rows of cells; the Tavrin Tab's divider reaches a little further.
    RECT tabs{0, 0, grid.clientWidth - Scaled(8, dpi_), 2 * grid.cell + Scaled(4, dpi_)};
    TabCtrl_AdjustRect(tabControl_, TRUE, &tabs);
    RECT status{};
    GetWindowRect(statusBar_, &status);
    const int tabHeight = tabs.bottom - tabs.top;
    RECT frame{0, 0, grid.clientWidth, tabHeight + (status.bottom - status.top)};
    AdjustWindowRectExForDpi(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE),
                             dpi_);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(tabControl_, nullptr, 0, 0, grid.clientWidth, tabHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    PlaceStatusPanels();
    LayoutPages();
    PlaceCells();
}

void MainWindow::PlaceCells() {
    const int icon = GridAt(dpi_).icon;
    for (Page& page : pages_) {
        for (size_t i = 0; i < page.cells.size(); ++i) {
            page.cells[i]->SetPlace(CellOfSlot(static_cast<int>(i) + 1, dpi_), icon);
        }
    }
    for (size_t i = 0; i < findCells_.size(); ++i)
        findCells_[i]->SetPlace(CellOfSlot(static_cast<int>(i) + 1, dpi_), icon);
    tavrinTab_.Place(*pages_.at(0).window, dpi_);
}

MainWindow::Page& MainWindow::AddPage(const std::wstring& caption) {
    Page page;
    page.caption = caption;
    pages_.push_back(std::move(page));
    return pages_.back();
}

// A page is built when it is first needed: at start-up the Tavrin Tab and the
// page shown, any other when its tab is selected or its cells are reached, so
// that a start reads and makes only what the first window shows. The cells
// take the IDs of the page's place when it is built: a page moved or
// renumbered before then needs nothing done.
MainWindow::Page& MainWindow::BuiltPage(int index) {
    Page& page = pages_.at(index);
    if (page.window) return page;
    page.window = std::make_unique<TabPage>(
        tabControl_,
        TabPage::Listeners{
            .hint = [this](const ButtonCell* cell) { SetStatusText(0, cell ? cell->Hint() : std::string()); },
            .emptyAreaPressed = [this] { (void)pick_.End(); },
            .key = [this](UINT message, WPARAM key, LPARAM lParam) { return OnPageKey(message, key, lParam); }});
    page.window->SetDescriber(DescriberOf(*page.window));
    PlacePageWindow(*page.window);
    if (index == 0) {
        tavrinTab_.Build(
            [&](const CellRect& place, bool tool) {
                return MakeCell(page, place, 0, tool ? CellKind::Tool : CellKind::TavrinTab);
            },
            dpi_);
    } else {
        page.window->SetPageCursor(pick_.Cursor());
        BuildButtonGrid(page, index);
    }
    return page;
}

// The page is found at each question: tab moves and renames change where it stands and what it is called.
TabPage::Describer MainWindow::DescriberOf(const TabPage& window) {
    const auto pageOf = [this, &window]() -> const Page& {
        return *std::find_if(pages_.begin(), pages_.end(),
                             [&window](const Page& page) { return page.window.get() == &window; });
    };
    return {.caption = [pageOf] { return Narrow(pageOf().caption); },
            .place =
                [this, pageOf](const ButtonCell& cell) {
                    const Page& page = pageOf();
                    if (&page == &pages_.front()) return tavrinTab_.PlaceOf(cell);
                    return CellPlace{GridPosition(SlotOfButton(cell.Tag())), Narrow(page.caption)};
                }};
}

ButtonCell* MainWindow::MakeCell(const Page& page, const CellRect& place, int tag, CellKind kind) {
    return &page.window->AddCell(
        place, GridAt(dpi_).icon, tag,
        [this, kind](ButtonCell& cell, ButtonCell::Event event) { OnCellEvent(cell, event, kind); });
}

// A page not built yet gets its cells when it is.
void MainWindow::BuildButtonGrid(Page& page, int tabIndex) {
    pick_.ForgetSourceAmong(page.cells);
    if (!page.window) return;
    page.cells.clear();
    page.window->ClearCells();
    // Outside a transaction each look at the file would read it whole again to see whether it changed.
    const XmlDocumentFile::Transaction oneRead;
    const std::map<int, ButtonRecord> summaries = Buttons().LoadGroupSummaries(tabIndex);
    for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
        const int id = ButtonIDOf(tabIndex, slot);
        page.cells.push_back(MakeCell(page, CellOfSlot(slot, dpi_), id, CellKind::Grid));
        page.cells.back()->SetCursor(page.cursor);
        const auto stored = summaries.find(id);
        ShowButton(*page.cells.back(),
                   stored == summaries.end() ? std::nullopt : std::optional<ButtonRecord>(stored->second));
    }
}

void MainWindow::DrawButtonImage(ButtonCell& image) { ShowButton(image, Buttons().LoadSummary(image.Tag())); }

// Whether the target is gone is looked at here, once for each time the record
// is drawn, not at every paint. An empty slot shows nothing.
void MainWindow::ShowButton(ButtonCell& image, const std::optional<ButtonRecord>& button) {
    const bool missing = button && Buttons().TargetMissing(*button);
    image.SetPictureLoader(button ? ButtonPicture(button->IconFile, button->IconNumber) : nullptr);
    image.SetHint(button ? ButtonHint(button->Description, button->HotKey, missing, HotKeyNote(image.Tag())) : "");
    image.SetTargetMissing(missing);
    image.SetName(button ? ButtonName(button->Description, button->Command) : "");
    image.SetShortcut(button ? button->HotKey : "");
}

// A folder counts as an existing icon file too: the shell gives its icon. The
// icon file is looked at when the cell is first painted, with its picture,
// unless another cell shows that icon already.
ButtonCell::PictureLoader MainWindow::ButtonPicture(const std::string& iconFile, int iconNumber) {
    return [this, file = iconFile, index = iconNumber](int size) {
        return pictures_.Get(file, index, size, [&] {
            const bool iconFileExists = services_.fs.FileExists(file) || services_.fs.DirectoryExists(file);
            unique_hicon picture = iconFileExists ? GetFileIcon(file, index, size) : unique_hicon();
            return picture ? std::move(picture) : LoadMissingIcon(size);
        });
    };
}

void MainWindow::RetagPanel(int page, int a, int b) {
    for (ButtonCell* cell : pages_.at(page).cells) {
        if (cell->Tag() == a) {
            cell->SetTag(b);
            return;
        }
    }
}

void MainWindow::SetGridCursor(int page, HCURSOR cursor) {
    pages_.at(page).cursor = cursor;
    for (ButtonCell* cell : pages_[page].cells) cell->SetCursor(cursor);
}

void MainWindow::RenumberTab(int tabIndex) {
    if (tabIndex < 0 || tabIndex >= PageCount()) return;
    for (ButtonCell* cell : pages_[tabIndex].cells) {
        cell->SetTag(RenumberedID(cell->Tag(), tabIndex));
        RefreshPanel(*cell);
    }
}

void MainWindow::RefreshPanel(ButtonCell& panel) { DrawButtonImage(panel); }

// The tab control shows one item per page whose tab is visible.
void MainWindow::RefreshTabItems() {
    TabCtrl_DeleteAllItems(tabControl_);
    AppendTabItems(PageCount());
    TabCtrl_SetCurSel(tabControl_, TabItemOfPage(activePage_));
}

void MainWindow::AppendTabItems(int count) {
    const int held = TabCtrl_GetItemCount(tabControl_);
    int item = 0;
    for (Page& page : pages_) {
        if (item >= count) return;
        if (!page.tabVisible) continue;
        if (item >= held) {
            std::wstring caption = WithLiteralAmpersands(page.caption);  // the name as written, "&" included
            TCITEMW tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = caption.data();
            TabCtrl_InsertItem(tabControl_, item, &tab);
        }
        ++item;
    }
}

int MainWindow::TabItemsBefore(int page) const {
    int items = 0;
    for (int i = 0; i < page; ++i) items += pages_[i].tabVisible ? 1 : 0;
    return items;
}

int MainWindow::TabItemOfPage(int page) const {
    if (page < 0 || page >= PageCount() || !pages_[page].tabVisible) return -1;
    return TabItemsBefore(page);
}

int MainWindow::PageOfTabItem(int item) const {
    for (int page = 0; page < PageCount(); ++page) {
        if (pages_[page].tabVisible && item-- == 0) return page;
    }
    return -1;
}

// An index outside the pages leaves no page active: the control does not
// fall back to another page. A page whose tab is hidden hands over to the next
// visible page, or the last visible one before it, as a tab control does.
void MainWindow::SetActivePage(int page) {
    EndFind();
    activePage_ = page >= 0 && page < PageCount() ? page : -1;
    if (activePage_ >= 0 && !pages_[activePage_].tabVisible) {
        const int hidden = activePage_;
        activePage_ = -1;
        for (int i = hidden + 1; i < PageCount() && activePage_ < 0; ++i) activePage_ = pages_[i].tabVisible ? i : -1;
        for (int i = hidden - 1; i >= 0 && activePage_ < 0; --i) activePage_ = pages_[i].tabVisible ? i : -1;
    }
    if (activePage_ >= 0) BuiltPage(activePage_);
    // A page that had the keyboard hands it to the page shown in its place.
    const HWND focus = GetFocus();
    bool pageHadFocus = false;
    for (int i = 0; i < PageCount(); ++i) {
        if (!pages_[i].window) continue;
        pageHadFocus = pageHadFocus || pages_[i].window->Handle() == focus;
        ShowWindow(pages_[i].window->Handle(), i == activePage_ ? SW_SHOW : SW_HIDE);
    }
    TabCtrl_SetCurSel(tabControl_, TabItemOfPage(activePage_));
    if (pageHadFocus) FocusPageOrTabs(true);
}

void MainWindow::ApplyTabStyle() {
    static constexpr LONG_PTR kStyles[] = {0, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    const int tabStyle = Settings().TabStyle;
    const LONG_PTR current = GetWindowLongPtrW(tabControl_, GWL_STYLE);
    const LONG_PTR style =
        (current & ~LONG_PTR{TCS_BUTTONS | TCS_FLATBUTTONS}) | kStyles[tabStyle >= 0 && tabStyle <= 2 ? tabStyle : 0];
    if (style == current) return;  // as at most starts: the control has the plain tab style
    SetWindowLongPtrW(tabControl_, GWL_STYLE, style);
    LayoutPages();
    InvalidateRect(tabControl_, nullptr, TRUE);
}

void MainWindow::LayoutPages() {
    for (const Page& page : pages_) {
        if (page.window) PlacePageWindow(*page.window);
    }
    if (findPage_) PlacePageWindow(*findPage_);
}

// A page fills the display area of the tab control.
void MainWindow::PlacePageWindow(const TabPage& page) {
    RECT display{};
    GetClientRect(tabControl_, &display);
    TabCtrl_AdjustRect(tabControl_, FALSE, &display);
    SetWindowPos(page.Handle(), nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnPageChanged() {
    Settings().LastPanelIndex = activePage_;
    UpdateStatusBar();
    PlayFeedbackSound(FeedbackSound::Tabsheet);
}

void MainWindow::UpdateStatusBar() {
    if (!Settings().ShowAppPanel || activePage_ != 0) SetStatusText(0, "");
}

void MainWindow::SetStatusText(int panel, const std::string& text) {
    SendMessageW(statusBar_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    if (panel == 1) PlaceStatusPanels();
}

// The usage panel reaches the window's right edge; counts too long for the
// room beside the hint panel take what they need from the hint panel.
void MainWindow::PlaceStatusPanels() {
    RECT bar{};
    GetClientRect(statusBar_, &bar);
    const int usage = TextWidth(statusBar_, font_.get(), StatusText(1)) + Scaled(kStatusTextMargin, dpi_);
    const int rightEdges[] = {std::min<int>(Scaled(kHintPanelWidth, dpi_), bar.right - usage), -1};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
}

void MainWindow::ShowStatusLine(const std::string& text) {
    SendMessageW(statusBar_, SB_SIMPLE, !text.empty(), 0);
    if (!text.empty()) {
        SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

std::wstring MainWindow::StatusText(int panel) const {
    std::wstring text(LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, panel, 0)), L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void MainWindow::OnCellEvent(ButtonCell& cell, ButtonCell::Event event, CellKind kind) {
    const bool picking = pick_.Waiting();
    switch (event) {
        case ButtonCell::Event::LeftDown:
            currentImageId_ = cell.Tag();
            if (!picking) cell.SetLook(ButtonCell::Look::Pressed);
            break;
        case ButtonCell::Event::RightDown:
            currentImageId_ = cell.Tag();
            if (!picking) cell.SetLook(ButtonCell::Look::Context);
            contextButtonId_ = cell.Tag();
            break;
        case ButtonCell::Event::MouseUp:
            if (!picking) cell.SetLook(ButtonCell::Look::Raised);
            break;
        case ButtonCell::Event::Click:
            // Outside the grid a click ends a waiting pick, and does nothing else.
            if (kind != CellKind::Grid && pick_.End()) break;
            if (kind == CellKind::Grid) LaunchFromGrid(cell);
            if (kind == CellKind::TavrinTab) LaunchFromTavrinTab(cell);
            if (kind == CellKind::Found) LaunchFound(cell);
            if (const std::optional<Command> tool = tavrinTab_.ToolCommandOf(cell)) RunCommand(*tool);
            break;
        case ButtonCell::Event::FrameClick:
            if (tavrinTab_.IsLastMostUsed(cell)) ShowRecentList();
            break;
        case ButtonCell::Event::ContextMenu:
            // A right-click ends a waiting pick instead of showing a menu.
            if (pick_.End()) break;
            if (kind == CellKind::Grid) {
                const DWORD position = GetMessagePos();
                ShowButtonMenu({GET_X_LPARAM(position), GET_Y_LPARAM(position)});
            }
            break;
    }
}

}  // namespace tavrin
