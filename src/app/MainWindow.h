// The main window: the Tavrin Tab and one page per group in a tab control,
// and the status bar. The window creates its controls and parts and routes
// messages to them: the Tavrin Tab's pictures (TavrinTabPanel), a waiting
// swap or copy (PickMode), the drop target's highlight (DropHover) and the
// notification area with the global hot key (TraySide) and the buttons' own
// hot keys (ButtonHotKeys). It wires controls to the stores; files and the
// shell are theirs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ButtonCell.h"
#include "app/ButtonHotKeys.h"
#include "app/DropHover.h"
#include "app/FindMode.h"
#include "app/Commands.h"
#include "app/MainWindowServices.h"
#include "app/PickMode.h"
#include "app/PictureShelf.h"
#include "app/TavrinTabPanel.h"
#include "app/TabPage.h"
#include "app/TraySide.h"
#include "desktop/FileDropTarget.h"
#include "rules/MostUsed.h"
#include "storage/AppConfig.h"
#include "storage/AppSettings.h"
#include "storage/ButtonStore.h"
#include "storage/DailyBackups.h"
#include "storage/StorageServices.h"
#include "win32/BaseWindow.h"
#include "win32/LayoutKeyNames.h"
#include "win32/UniqueResource.h"

namespace tavrin {

class MainWindow : public BaseWindow<MainWindow> {
public:
    // What other copies of the program find the running one by.
    static constexpr wchar_t kClassName[] = L"TfrmTavrin";
    static constexpr wchar_t kCaption[] = L"Tavrin";

    // Creates the window (owned by `owner`, which keeps it off the taskbar) and
    // runs its creation steps; the window is shown by Show().
    MainWindow(MainWindowServices& services, AppConfig& config, HWND owner);
    void Show();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The stores of the current user's settings file, made on first use.
    [[nodiscard]] AppSettings& Settings();
    [[nodiscard]] ButtonStore& Buttons();

    // What tests and the other windows look at.
    [[nodiscard]] int Dpi() const noexcept { return dpi_; }
    [[nodiscard]] int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    [[nodiscard]] int ActivePageIndex() const noexcept { return activePage_; }
    [[nodiscard]] bool TabVisible(int page) const { return pages_.at(page).tabVisible; }
    [[nodiscard]] HWND TabControl() const noexcept { return tabControl_; }
    // Reaching a page's window or cells builds the page first (see BuiltPage).
    [[nodiscard]] HWND PageWindow(int page) { return BuiltPage(page).window->Handle(); }
    [[nodiscard]] ButtonCell& GridCell(int page, int slot) { return *BuiltPage(page).cells.at(slot - 1); }
    [[nodiscard]] const TavrinTabPanel& TavrinTab() const noexcept { return tavrinTab_; }
    [[nodiscard]] std::wstring StatusText(int panel) const;
    // The button ID of the cell pressed last with either button, and of the last right-click.
    [[nodiscard]] int CurrentImageId() const noexcept { return currentImageId_; }
    [[nodiscard]] int ContextButtonId() const noexcept { return contextButtonId_; }

    void RunCommand(Command command);
    void SetActivePage(int page);

    // The notification area and the global hot key.
    [[nodiscard]] TraySide& Tray() noexcept { return *tray_; }
    [[nodiscard]] const TraySide& Tray() const noexcept { return *tray_; }
    // The buttons' own hot keys.
    [[nodiscard]] const ButtonHotKeys& ButtonKeys() const noexcept { return *buttonHotKeys_; }

    // Button actions (MainWindowButtons.cpp).
    // The button menu for the cell right-clicked last; null while a swap waits
    // for its target (no menu then) or when that cell is gone.
    [[nodiscard]] unique_hmenu PrepareButtonMenu();
    // A swap or copy that waits for the click on its target.
    [[nodiscard]] const PickMode& Pick() const noexcept { return pick_; }

    // Type to find (MainWindowFind.cpp): the text typed and its matches while a find runs.
    [[nodiscard]] const FindMode& Find() const noexcept { return find_; }
    // The cell of the index-th match shown (from 0); only while a find has shown its results.
    [[nodiscard]] const ButtonCell& FoundCell(std::size_t index) const { return *findCells_.at(index); }

    // Dropping files (MainWindowDrop.cpp): the target OLE calls, null when the window is not registered.
    [[nodiscard]] IDropTarget* DropTarget() const noexcept;

    // Tab actions (MainWindowTabs.cpp).
    // Makes the page of a tab item the active page and returns the tab menu
    // for it; -1 (no tab under the pointer) keeps the active page.
    [[nodiscard]] unique_hmenu PrepareTabMenu(int tabItem);

private:
    // Which handler a cell's click goes to.
    enum class CellKind { Grid, TavrinTab, Tool, Found };

    struct Page {
        std::unique_ptr<TabPage> window;  // null until the page is built
        std::wstring caption;
        bool tabVisible = true;
        std::vector<ButtonCell*> cells;  // the 20 slots of a group page, owned by its window
        HCURSOR cursor = nullptr;        // of every cell; null: the page's own
    };

    // Creation and messages (MainWindow.cpp), the window's place (MainWindowPlace.cpp) and
    // the options it follows, with its dialogs (MainWindowOptions.cpp).
    void RunCreationSteps();
    void RecoverSettingsFile();
    void MoveToStoredPosition();
    void SaveOnClose();
    void BuildSystemMenu();
    void SyncSystemMenu();
    void ApplyAlwaysOnTop();
    void ShowTavrinTab(bool show);
    void ShowOptions();
    void ToggleAlwaysOnTop();
    void ToggleTavrinTab();
    void ShowReport();
    void ShowAbout();
    void OpenWebsite();
    void SnapToScreenEdges();
    void ShowStatusMenu();
    void SetWindowIcons();
    void DpiChanged(int dpi, const RECT& suggested);

    // Tabs, grids and the status bar (MainWindowGrid.cpp).
    // Helpers of the button and tab actions: the first cell of page tagged a
    // is tagged b (nothing is redrawn); every cell of page gets cursor; the
    // cells of tab tabIndex take that tab's IDs and are redrawn.
    void RetagPanel(int page, int a, int b);
    void SetGridCursor(int page, HCURSOR cursor);
    void RenumberTab(int tabIndex);
    // Redraws one cell from the record of the ID in its tag.
    void RefreshPanel(ButtonCell& panel);

    void BuildGroupTabs();
    void LayOut();
    void PlaceCells();
    Page& AddPage(const std::wstring& caption);
    // The one way to a page's window and cells: builds the page on first use.
    Page& BuiltPage(int page);
    void PlacePageWindow(const TabPage& page);
    // What a screen reader is told of a page: its caption and where its cells stand.
    [[nodiscard]] TabPage::Describer DescriberOf(const TabPage& window);
    void BuildButtonGrid(Page& page, int tabIndex);
    void DrawButtonImage(ButtonCell& image);
    // The picture, hint and mark of a button, or nothing for an empty slot.
    void ShowButton(ButtonCell& image, const std::optional<ButtonRecord>& button);
    [[nodiscard]] ButtonCell::PictureLoader ButtonPicture(const std::string& iconFile, int iconNumber);
    void RefreshTabItems();
    // Appends the items of the pages whose tab is visible after those the tab
    // control holds, until it holds count of them or all.
    void AppendTabItems(int count);
    // The number of visible tabs of the pages before page.
    [[nodiscard]] int TabItemsBefore(int page) const;
    void ApplyTabStyle();
    void LayoutPages();
    [[nodiscard]] int TabItemOfPage(int page) const;
    [[nodiscard]] int PageOfTabItem(int item) const;
    void OnPageChanged();
    void UpdateStatusBar();
    void SetStatusText(int panel, const std::string& text);
    // One line over the whole status bar instead of its panels; empty: the panels again.
    void ShowStatusLine(const std::string& text);
    void PlaceStatusPanels();
    void OnCellEvent(ButtonCell& cell, ButtonCell::Event event, CellKind kind);
    [[nodiscard]] ButtonCell* MakeCell(const Page& page, const CellRect& place, int tag, CellKind kind);

    // Button actions (MainWindowButtons.cpp).
    [[nodiscard]] ButtonCell* FindPanel(int page, int id) const;
    [[nodiscard]] ButtonCell* CurrentGridCell() const;
    void ShowButtonMenu(POINT screenPoint);
    void OpenButtonMenuFromKeyboard();
    void BeginPick(PickMode::Kind kind);
    void ShowPick(HCURSOR cursor, const std::string& statusText);
    [[nodiscard]] bool CompletePick(ButtonCell& image);
    void ExchangeButtons(ButtonCell& a, ButtonCell& b);
    void CopyButtonOnto(ButtonCell& source, ButtonCell& target);
    void FollowExchange(int a, int b);
    void ClearButton();
    void ResetButtonCounts();
    void MoveButtonBeside(int offset);
    void MoveButtonToSlot(int slot);
    void CopyButtonPath();
    void ExploreButtonPath();
    void EditButtonProperties();

    // Tab actions (MainWindowTabs.cpp).
    void ShowTabMenu();
    void ShowTabMenuFromKeyboard();
    void ShowTabMenuAt(POINT screenPoint, int tabItem);
    void NewTab();
    void RenameActiveTab();
    void DeleteActiveTab();
    // Exchanges the active group page with its neighbour, step -1 or 1.
    void MoveActiveTab(int step);
    // Removes group page `page` with its group and renumbers the later pages.
    void RemoveTab(int page);
    // The recent list and the most-used panel after group page `page` was deleted.
    void FollowRemovedTab(int page);
    // After the options: the group pages take the names of the group list;
    // pages beyond it go (their buttons stay stored), missing ones are made.
    void MatchPagesToGroups();

    // The keyboard (MainWindowKeys.cpp).
    // Keys of the whole window, from the tab strip and the pages; true: used.
    [[nodiscard]] bool OnWindowKey(WPARAM key);
    [[nodiscard]] bool OnPageKey(UINT message, WPARAM key, LPARAM lParam);
    void SelectTabItem(int item);
    // The page shown takes the focus, or (page false) the tab strip.
    void FocusPageOrTabs(bool page);
    void RestoreFocus();
    // The results page while a find runs, else the active page; null when no page is shown.
    [[nodiscard]] TabPage* ShownPage() const;
    // The tab strip drops the characters typed on it: the one of the key it reports goes to the find.
    void FindCharOfTabStrip();

    // Type to find (MainWindowFind.cpp).
    [[nodiscard]] bool OnFindChar(wchar_t character);
    [[nodiscard]] std::vector<FindCandidate> FindCandidates();
    [[nodiscard]] TabPage& FindPage();
    void ShowFindResults(bool redrawAll);
    void EndFind();
    [[nodiscard]] bool OnFindPageKey(UINT message, WPARAM key, LPARAM lParam);
    void LaunchFound(const ButtonCell& cell);

    // Launching (MainWindowLaunch.cpp).
    void LaunchFromGrid(ButtonCell& image);
    // As a click on the button's cell of a group page, the cell shown or not:
    // counted, first in the recent list, with its sound.
    void LaunchGridButton(int id);
    void LaunchFromTavrinTab(ButtonCell& image);
    void LaunchButton(int id, bool toFrontOfRecent, const std::function<void(std::int64_t total)>& shown);
    void ShowStart(const ButtonRecord& button, const std::function<void(std::int64_t total)>& shown);
    void ShowRecentList();
    [[nodiscard]] bool BackupSettings();
    void RestoreSettings();

    // The buttons' own hot keys (MainWindowHotKeys.cpp).
    // After every change of the stored buttons: the registrations follow, and
    // the cells whose hot key was refused, or no longer is, say so in their hints.
    void SyncButtonHotKeys();
    void LaunchFromHotKey(int id);
    // The line of the properties box of button id for a new hot key; empty when the button can have it.
    [[nodiscard]] std::string HotKeyRefusalLine(int id, const std::string& hotKeyText);
    // The end of a button's hint: why its hot key is not registered, or nothing.
    [[nodiscard]] std::string HotKeyNote(int id) const;

    // Dropping files (MainWindowDrop.cpp).
    // Posted by a drop: the button is made once the drag has ended, so that the
    // replace question does not hold up the program the files came from.
    static constexpr UINT kDroppedMessage = WM_APP + 0x44;
    struct PendingDrop {
        int id = 0;
        std::string name;
    };
    void RegisterDropTarget();
    [[nodiscard]] ButtonCell* DropCellAt(POINT screenPoint) const;
    [[nodiscard]] bool DragOverCell(POINT screenPoint);
    void FilesDropped(POINT screenPoint, const std::vector<std::string>& names);
    void AddDroppedButton();

    MainWindowServices& services_;
    AppConfig& config_;
    HWND owner_;
    std::string settingsFileName_;
    std::optional<DailyBackups> dailyBackups_;  // from the start-up's recovery on
    std::optional<StorageServices> storageServices_;
    std::unique_ptr<AppSettings> appSettings_;
    std::unique_ptr<ButtonStore> buttonStore_;

    int dpi_ = kBaseDpi;  // of the monitor the window is on
    unique_hfont font_;
    unique_hicon bigIcon_;
    unique_hicon smallIcon_;
    HWND tabControl_ = nullptr;
    HWND statusBar_ = nullptr;
    PictureShelf pictures_;    // the buttons' pictures the cells of all pages share
    std::vector<Page> pages_;  // page 0 is the Tavrin Tab
    int activePage_ = -1;
    TavrinTabPanel tavrinTab_;

    // A launch pumps messages while the shell works: a click arriving meanwhile is refused.
    bool launching_ = false;
    // By button ID, not by cell: a rebuilt grid frees its cells.
    int currentImageId_ = 0;
    int contextButtonId_ = 0;
    PickMode pick_;
    FindMode find_;
    std::unique_ptr<TabPage> findPage_;  // made by the first find
    std::vector<ButtonCell*> findCells_;
    HWND lastFocus_ = nullptr;  // the control that had the keyboard when the window was last deactivated

    // The key names of the keyboard layouts, fixed for the program's life, for the hot key texts.
    LayoutKeyNames layoutKeyNames_;
    std::optional<TraySide> tray_;                // made with the window, which it needs
    std::optional<ButtonHotKeys> buttonHotKeys_;  // made after the tray, whose hot keys it asks about

    // Initialised by Show(); ends after the drop target is revoked.
    std::optional<ComInitScope> ole_;
    // Dropping files (MainWindowDrop.cpp).
    std::optional<FileDropTarget> dropTarget_;  // revoked when the window is destroyed
    DropHover dropHover_;
    std::optional<PendingDrop> pendingDrop_;
};

}  // namespace tavrin
