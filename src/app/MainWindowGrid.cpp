// The tab control with the Tavrin Tab and the group pages, the button grids,
// the status bar and the pressed look of the cells.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"
#include "app/ProgramResources.h"
#include "rules/ButtonHint.h"
#include "rules/GridGeometry.h"
#include "shell/ShellIcons.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// The pages hold two rows of cells; the Tavrin Tab's divider reaches a little further.
constexpr int kPageHeight = 2 * kCellSize + 4;
constexpr int kStatusPanelWidths[] = {260, 50};

}  // namespace

void MainWindow::BuildGroupTabs() {
    tabControl_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                  0, kClientWidth, kPageHeight, Handle(), nullptr, nullptr, nullptr);
    if (!tabControl_) ThrowLastError("CreateWindowExW");
    SendMessageW(tabControl_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                                 nullptr, nullptr);
    if (!statusBar_) ThrowLastError("CreateWindowExW");
    const int rightEdges[] = {kStatusPanelWidths[0], kStatusPanelWidths[0] + kStatusPanelWidths[1]};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));

    Settings().LoadGroups();
    BuildTavrinTab(AddPage(Widen(Settings().FavoriteGroup)));
    for (const std::string& name : Settings().GroupNames) AddPage(Widen(name));
    for (int tabIndex = 1; tabIndex < PageCount(); ++tabIndex) BuildButtonGrid(pages_[tabIndex], tabIndex);
    RefreshTabItems();

    // The client area: the tab control over the status bar, 348 pixels wide.
    RECT tabs{0, 0, kClientWidth - 8, kPageHeight};
    TabCtrl_AdjustRect(tabControl_, TRUE, &tabs);
    RECT status{};
    GetWindowRect(statusBar_, &status);
    const int tabHeight = tabs.bottom - tabs.top;
    RECT frame{0, 0, kClientWidth, tabHeight + (status.bottom - status.top)};
    AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(tabControl_, nullptr, 0, 0, kClientWidth, tabHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    LayoutPages();
}

MainWindow::Page& MainWindow::AddPage(const std::wstring& caption) {
    Page page;
    page.window = std::make_unique<TabPage>(tabControl_, pages_.empty(), [this](const ButtonCell* cell) {
        SetStatusText(0, cell ? cell->Hint() : std::string());
    });
    page.caption = caption;
    pages_.push_back(std::move(page));
    return pages_.back();
}

ButtonCell* MainWindow::MakeCell(const Page& page, int left, int top, int tag, CellKind kind) {
    return &page.window->AddCell(
        left, top, tag, [this, kind](ButtonCell& cell, ButtonCell::Event event) { OnCellEvent(cell, event, kind); });
}

void MainWindow::BuildButtonGrid(Page& page, int tabIndex) {
    page.cells.clear();
    page.window->ClearCells();
    for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
        const CellRect place = CellOfSlot(slot);
        page.cells.push_back(MakeCell(page, place.left, place.top, ButtonIDOf(tabIndex, slot), CellKind::Grid));
        DrawButtonImage(*page.cells.back());
    }
}

// A folder counts as an existing icon file too: the shell gives its icon. The
// icon file is looked at when the cell is first painted, with its picture.
void MainWindow::DrawButtonImage(ButtonCell& image) {
    ButtonStore& store = Buttons();
    if (!store.LoadButtonSummary(image.Tag())) {
        image.SetPicture({});
        image.SetHint("");
        return;
    }
    const ButtonRecord& button = store.Current();
    image.SetPictureLoader([&fs = services_.fs, file = button.IconFile, index = button.IconNumber] {
        const bool iconFileExists = fs.FileExists(file) || fs.DirectoryExists(file);
        unique_hicon picture = iconFileExists ? GetFileIcon(file, index) : unique_hicon();
        return picture ? std::move(picture) : LoadMissingIcon();
    });
    image.SetHint(ButtonHint(button.Description, button.HotKey));
    if (buildingGrids_) mostUsed_.RankCandidates.push_back({image.Tag(), button.TotolRunTimes});
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
    for (ButtonCell* cell : pages_.at(page).cells) cell->SetCursor(cursor);
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
    int item = 0;
    for (Page& page : pages_) {
        if (!page.tabVisible) continue;
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = page.caption.data();
        TabCtrl_InsertItem(tabControl_, item++, &tab);
    }
    TabCtrl_SetCurSel(tabControl_, TabItemOfPage(activePage_));
}

int MainWindow::TabItemOfPage(int page) const {
    if (page < 0 || page >= PageCount() || !pages_[page].tabVisible) return -1;
    int item = 0;
    for (int i = 0; i < page; ++i) item += pages_[i].tabVisible ? 1 : 0;
    return item;
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
    activePage_ = page >= 0 && page < PageCount() ? page : -1;
    if (activePage_ >= 0 && !pages_[activePage_].tabVisible) {
        const int hidden = activePage_;
        activePage_ = -1;
        for (int i = hidden + 1; i < PageCount() && activePage_ < 0; ++i) activePage_ = pages_[i].tabVisible ? i : -1;
        for (int i = hidden - 1; i >= 0 && activePage_ < 0; --i) activePage_ = pages_[i].tabVisible ? i : -1;
    }
    for (int i = 0; i < PageCount(); ++i) ShowWindow(pages_[i].window->Handle(), i == activePage_ ? SW_SHOW : SW_HIDE);
    TabCtrl_SetCurSel(tabControl_, TabItemOfPage(activePage_));
}

void MainWindow::ApplyTabStyle() {
    static constexpr LONG_PTR kStyles[] = {0, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    const int tabStyle = Settings().TabStyle;
    const LONG_PTR style = GetWindowLongPtrW(tabControl_, GWL_STYLE) & ~LONG_PTR{TCS_BUTTONS | TCS_FLATBUTTONS};
    SetWindowLongPtrW(tabControl_, GWL_STYLE, style | kStyles[tabStyle >= 0 && tabStyle <= 2 ? tabStyle : 0]);
    LayoutPages();
    InvalidateRect(tabControl_, nullptr, TRUE);
}

void MainWindow::LayoutPages() {
    RECT display{};
    GetClientRect(tabControl_, &display);
    TabCtrl_AdjustRect(tabControl_, FALSE, &display);
    for (Page& page : pages_) {
        SetWindowPos(page.window->Handle(), nullptr, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
}

std::wstring MainWindow::StatusText(int panel) const {
    std::wstring text(LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, panel, 0)), L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

ButtonCell& MainWindow::ToolImage(Command command) const {
    for (size_t i = 0; i < toolCommands_.size(); ++i) {
        if (toolCommands_[i] == command) return *toolImages_[i];
    }
    throw std::invalid_argument("no tool image runs this command");
}

void MainWindow::OnCellEvent(ButtonCell& cell, ButtonCell::Event event, CellKind kind) {
    const bool picking = swapMode_ || copyMode_;
    switch (event) {
        case ButtonCell::Event::LeftDown:
            currentImageId_ = cell.Tag();
            cell.SetLook(ButtonCell::Look::Pressed);
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
            if (kind == CellKind::Grid) LaunchFromGrid(cell);
            if (kind == CellKind::TavrinTab) LaunchFromTavrinTab(cell);
            if (kind == CellKind::Tool) {
                for (size_t i = 0; i < toolImages_.size(); ++i) {
                    if (toolImages_[i] == &cell) RunCommand(toolCommands_[i]);
                }
            }
            break;
        case ButtonCell::Event::FrameClick:
            if (&cell == mostUsedImages_[5]) ShowRecentList();
            break;
        case ButtonCell::Event::ContextMenu:
            break;
    }
}

}  // namespace tavrin
