// The main window mainWindow: the Tavrin Tab and one page per group in the tab
// control MorePageControl, the status bar StatusBar1, the system-menu entries,
// edge snapping, launching and the recent and most-used panels. The window
// only wires controls to the stores; files and the shell are theirs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32/BaseWindow.h"
#include "app/ButtonCell.h"
#include "app/Commands.h"
#include "app/MainWindowServices.h"
#include "rules/MostUsed.h"
#include "app/TabPage.h"
#include "desktop/GlobalHotKeys.h"
#include "desktop/LayoutKeyNames.h"
#include "desktop/TrayIcon.h"
#include "storage/StorageServices.h"
#include "storage/AppSettings.h"
#include "storage/ButtonStore.h"
#include "storage/AppConfig.h"

namespace tavrin {

// Appends one entry of a command table to a menu: a separator or a string.
void AppendMenuEntry(HMENU menu, const MenuEntry& item);

class MainWindow : public BaseWindow<MainWindow> {
public:
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
    [[nodiscard]] const std::string& SettingsFileName() const noexcept { return settingsFileName_; }

    // What tests and the other windows look at.
    [[nodiscard]] int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    [[nodiscard]] int ActivePageIndex() const noexcept { return activePage_; }
    [[nodiscard]] bool TabVisible(int page) const { return pages_.at(page).tabVisible; }
    [[nodiscard]] HWND PageControl() const noexcept { return morePageControl_; }
    [[nodiscard]] ButtonCell& GridCell(int page, int slot) const { return *pages_.at(page).cells.at(slot - 1); }
    [[nodiscard]] ButtonCell& RecentImage(int k) const { return *recentImages_.at(k - 1); }
    [[nodiscard]] ButtonCell& MostUsedImage(int k) const { return *mostUsedImages_.at(k - 1); }
    [[nodiscard]] ButtonCell& ToolImage(Action action) const;
    [[nodiscard]] const MostUsedState& MostUsed() const noexcept { return mostUsed_; }
    [[nodiscard]] std::wstring StatusText(int panel) const;

    void RunAction(Action action);
    void SetActivePage(int page);

    // Helpers of the button and tab actions: the first cell of page tagged a
    // is tagged b (nothing is redrawn); every cell of page gets cursor; the
    // cells of tab tabIndex take that tab's IDs and are redrawn.
    void RetagPanel(int page, int a, int b);
    void SetGridCursor(int page, HCURSOR cursor);
    void RenumberTab(int tabIndex);
    // Redraws one cell from the record of the ID in its tag.
    void RefreshPanel(ButtonCell& panel);

    // The notification area and the global hot key (MainWindowTray.cpp).
    [[nodiscard]] bool IsHiddenToTray() const noexcept { return HiddenToTray; }
    [[nodiscard]] std::uint16_t HotKeyIndex() const noexcept { return MainHotKeyIndex; }
    [[nodiscard]] const TrayIcon& Tray() const { return *trayIcon_; }
    [[nodiscard]] const GlobalHotKeys& HotKeys() const noexcept { return mainGlobalHotKeys_; }
    void ToggleWindow();
    // After the options dialog, once GlobalHotKeyText holds the new text.
    void ReregisterMainHotKey();

private:
    // Which handler a cell's click goes to.
    enum class CellKind { Grid, TavrinTab, Tool };

    struct Page {
        std::unique_ptr<TabPage> window;
        std::wstring caption;
        bool tabVisible = true;
        std::vector<ButtonCell*> cells;  // the 20 slots of a group page, owned by its window
    };

    // Creation and closing (MainWindow.cpp).
    void FormCreate();
    void FormClose();
    void BuildSystemMenu();
    void SyncSystemMenuEntry(const MenuEntry& item);
    void ApplyAlwaysOnTop();
    void SnapToScreenEdges();
    void OnSystemCommand(WPARAM command);
    void ShowStatusMenu();

    // Tabs, grids and the status bar (MainWindowGrid.cpp).
    void BuildGroupTabs();
    Page& AddPage(const std::wstring& caption);
    void BuildButtonGrid(Page& page, int tabIndex);
    void DrawButtonImage(ButtonCell& image);
    void RefreshTabItems();
    void ApplyTabStyle();
    void LayoutPages();
    [[nodiscard]] int TabItemOfPage(int page) const;
    [[nodiscard]] int PageOfTabItem(int item) const;
    void MorePageControlChange();
    void UpdateStatusBar();
    void SetStatusText(int panel, const std::string& text);
    void OnCellEvent(ButtonCell& cell, ButtonCell::Event event, CellKind kind);
    [[nodiscard]] ButtonCell* MakeCell(const Page& page, int left, int top, int tag, CellKind kind);

    // Tray icon, its menu and the global hot key (MainWindowTray.cpp).
    void CreateTrayComponents();
    void ShowTrayIcon();
    void RegisterMainHotKey();
    [[nodiscard]] HotKeyValue ParsedGlobalHotKey() const;
    void HotKeyPressed(std::uint16_t index);
    void BalloonHintClick();
    void MinimizeToTray();
    void ShowRunningBalloon();
    [[nodiscard]] bool TrayMenuCommand(unsigned commandId);

    // Launching and the Tavrin Tab (MainWindowTavrinTab.cpp).
    void BuildTavrinTab(Page& page);
    [[nodiscard]] bool CompletePick(ButtonCell& image);
    void ImageClick(ButtonCell& image);
    void Image_LastClick(ButtonCell& image);
    void FillRecentPanel();
    void RankMostUsedPanel();
    void RedrawMostUsed(const ChangedPositions& positions);
    void Panel12Click();
    [[nodiscard]] bool BackupSettings();
    void RestoreSettings();

    MainWindowServices& services_;
    AppConfig& config_;
    HWND owner_;
    std::string settingsFileName_;
    std::optional<StorageServices> storageServices_;
    std::unique_ptr<AppSettings> appSettings_;
    std::unique_ptr<ButtonStore> buttonStore_;

    HWND morePageControl_ = nullptr;
    HWND statusBar1_ = nullptr;
    std::vector<Page> pages_;  // page 0 is the Tavrin Tab
    int activePage_ = -1;
    // Cells of the Tavrin Tab, owned by its page.
    std::array<ButtonCell*, 6> recentImages_{};
    std::array<ButtonCell*, 6> mostUsedImages_{};
    std::array<ButtonCell*, 4> toolImages_{};
    std::array<Action, 4> toolActions_{};

    MostUsedState mostUsed_;
    bool buildingGrids_ = false;  // DrawButtonImage collects RankCandidates meanwhile
    ButtonCell* CurrentImage = nullptr;
    int ContextButtonID = 0;
    bool SwapMode = false;
    bool CopyMode = false;

    // The key names of the keyboard layouts, fixed for the program's life, for the hot key text.
    LayoutKeyNames layoutKeyNames_;
    GlobalHotKeys mainGlobalHotKeys_;
    unique_hmenu popupMenuTrayIcon_;     // outlives the tray icon that shows it
    std::optional<TrayIcon> trayIcon_;  // made with the window, which it needs
    bool HiddenToTray = false;
    std::uint16_t MainHotKeyIndex = 0;  // 0: no global hot key
};

}  // namespace tavrin
