// The options the window follows (the system menu's check marks, the topmost
// band, the Tavrin Tab shown or not), the options dialog, the report, the
// about box and the web page, and the status bar's menu.
#include "app/MainWindow.h"

#include "TavrinVersion.h"
#include "app/ProgramResources.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/ReportWindow.h"

namespace tavrin {

void MainWindow::BuildSystemMenu() {
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuItems(menu, kSystemMenu);
    SyncSystemMenu();
    ShowTavrinTab(Settings().ShowAppPanel);
}

void MainWindow::SyncSystemMenu() {
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    const auto check = [menu](Command command, bool checked) {
        CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    };
    check(Command::AlwaysOnTop, Settings().AlwaysOnTop);
    check(Command::ShowTavrinTab, Settings().ShowAppPanel);
}

// A shown Tavrin Tab becomes the active page; a hidden one hands the page over
// to its neighbour, as a tab control does.
void MainWindow::ShowTavrinTab(bool show) {
    if (pages_.at(0).tabVisible != show) {
        pages_[0].tabVisible = show;
        RefreshTabItems();
    }
    if (show) {
        SetActivePage(0);
    } else if (activePage_ == 0) {
        SetActivePage(activePage_);  // a page without its tab hands over to its neighbour
        UpdateStatusBar();
    }
}

// After OK the settings are saved; the window follows them: the tab style,
// the hot key, the topmost band, the menu check marks (a shown Tavrin Tab
// becomes the active page), the group pages and the buttons' hot keys.
// The tray icon's menu still works while a modal box of the window is open:
// that box comes to the front rather than a second dialog over it, which
// would edit the same settings and tabs under the first.
void MainWindow::ShowOptions() {
    if (!IsWindowEnabled(Handle())) {
        SetForegroundWindow(GetLastActivePopup(Handle()));
        return;
    }
    PlayFeedbackSound(FeedbackSound::Icon);
    const OptionsServices options{Settings(),
                                  services_.environment,
                                  layoutKeyNames_,
                                  services_.dialogs,
                                  [this] { return BackupSettings(); },
                                  [this] { RestoreSettings(); }};
    if (!ShowOptionsDialog(Handle(), options)) return;
    ApplyTabStyle();
    tray_->ReregisterMainHotKey(Settings().GlobalHotKeyText);
    ApplyAlwaysOnTop();
    SyncSystemMenu();
    ShowTavrinTab(Settings().ShowAppPanel);
    MatchPagesToGroups();
    SyncButtonHotKeys();  // the groups, and the global hot key, the buttons' keys may meet
    UpdateStatusBar();
}

// A window already in the wanted band is left alone: under Wine every change
// of the band is a round trip to the X server, and start-up mostly has none to make.
void MainWindow::ApplyAlwaysOnTop() {
    const bool topmost = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost == Settings().AlwaysOnTop) return;
    SetWindowPos(Handle(), Settings().AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::ToggleAlwaysOnTop() {
    Settings().AlwaysOnTop = !Settings().AlwaysOnTop;
    Settings().SaveSettings();
    ApplyAlwaysOnTop();
    SyncSystemMenu();
}

void MainWindow::ToggleTavrinTab() {
    Settings().ShowAppPanel = !Settings().ShowAppPanel;
    Settings().SaveSettings();
    ShowTavrinTab(Settings().ShowAppPanel);
    SyncSystemMenu();
}

void MainWindow::ShowReport() {
    PlayFeedbackSound(FeedbackSound::Icon);
    ReportServices report{Buttons(),    Settings().GroupNames, services_.shell,
                          services_.fs, services_.clock,       config_.ProgramFolder()};
    ShowReportWindow(Handle(), report);
}

void MainWindow::ShowAbout() {
    ShowAboutDialog(Handle(), services_.shell, {TAVRIN_VERSION_TEXT, kSupportMailAddress, kTavrinHomeAddress});
}

void MainWindow::OpenWebsite() { (void)services_.shell.Execute(OpenRequest(kTavrinHomeAddress)); }

// A right-click that ends a waiting pick shows no menu.
void MainWindow::ShowStatusMenu() {
    if (pick_.End()) return;
    unique_hmenu menu(CreatePopupMenu());
    AppendMenuItems(menu.get(), kStatusMenu);
    SetMenuDefaultItem(menu.get(), static_cast<UINT>(kStatusMenu[0]), FALSE);
    POINT point{};
    GetCursorPos(&point);
    const UINT chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    RunCommand(CommandOfMenuId(chosen));
}

}  // namespace tavrin
