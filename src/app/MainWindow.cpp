#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "TavrinVersion.h"
#include "app/ProgramResources.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/ReportWindow.h"
#include "rules/EdgeSnap.h"
#include "storage/SettingsRecovery.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {
namespace {

// Where window, at its present size, comes to rest when moved to `to`: edge
// snapping against the monitor that the window would then be on.
WindowPosition SnappedPosition(HWND window, WindowPosition to) {
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&frame, to.left - frame.left, to.top - frame.top);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return to;
    const SnapArea area{monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right, monitor.rcWork.bottom};
    return SnapToEdges({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, area);
}

}  // namespace

MainWindow::MainWindow(MainWindowServices& services, AppConfig& config, HWND owner)
    : services_(services), config_(config), owner_(owner) {
    // The caption is set by the last creation steps: a copy starting meanwhile
    // must not find a half-made window.
    Create(kClassName, {},
           {.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, .parent = owner_});
    dpi_ = DpiOf(Handle());
    SetWindowIcons();
    CreateTrayComponents();
    RunCreationSteps();
}

AppSettings& MainWindow::Settings() {
    if (!appSettings_) appSettings_ = std::make_unique<AppSettings>(*storageServices_);
    return *appSettings_;
}

ButtonStore& MainWindow::Buttons() {
    if (!buttonStore_) buttonStore_ = std::make_unique<ButtonStore>(*storageServices_);
    return *buttonStore_;
}

// The creation steps, in their order: each relies on the ones before.
void MainWindow::RunCreationSteps() {
    swapMode_ = false;
    copyMode_ = false;
    mostUsed_ = {};
    services_.shell.SetApplicationWindow(Handle());
    services_.prompt.SetOwner(Handle());

    settingsFileName_ = config_.SelectSettingsFile();
    RecoverSettingsFile();
    storageServices_.emplace(StorageServices{services_.fs, services_.environment, services_.shell, services_.prompt,
                                             services_.clock, settingsFileName_});
    {
        // One transaction: the options, the pages and panels see the settings
        // file as it was read once, not reading it for each of them, and what
        // start-up adds to the file (a missing recent list) is saved once.
        XmlDocumentFile::Transaction startUp;
        Settings().LoadSettings();
        BuildGroupTabs();
        // The panel ranks the buttons of all groups, shown or not.
        mostUsed_.RankCandidates.clear();
        for (const ButtonTotal& stored : Buttons().StoredTotals(PageCount() - 1)) {
            mostUsed_.RankCandidates.push_back({stored.id, stored.total});
        }
        RankMostUsedPanel();
        Settings().LoadRecent();
        FillRecentPanel();
        RegisterMainHotKey();
        hiddenToTray_ = false;

        ApplyTabStyle();
        ApplyAlwaysOnTop();
        BuildSystemMenu();
        SetActivePage(Settings().LastPanelIndex);
        startUp.Commit();
    }
    SetWindowTextW(Handle(), kCaption);
    MoveToStoredPosition();
}

// Before the stores read the settings file: a missing or damaged one comes
// back from its newest complete copy, what saves of earlier runs left behind
// goes, and from now on the first save of each day keeps a backup. A backup
// that fails is no reason to bother the user: it goes to the debugger's output.
void MainWindow::RecoverSettingsFile() {
    SettingsRecovery recovery(services_.fs, settingsFileName_, config_.OtherUsersSettingsFiles());
    recovery.Recover(services_.clock, services_.dialogs);
    recovery.RemoveSupersededCopies(ProcessStartTime());
    dailyBackups_.emplace(XmlDocumentFile::For(services_.fs, settingsFileName_), services_.clock,
                          [](const std::string& text) { OutputDebugStringW(Widen(text + "\n").c_str()); });
}

// The stored top and then the stored left each count as a move, which edge
// snapping follows: that pulls a position off the screen back in. Both are
// worked out first and the window moved once, since under Wine every move is
// a round trip to the X server.
void MainWindow::MoveToStoredPosition() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WindowPosition start{frame.left, frame.top};
    WindowPosition at = start;
    const auto move = [&](WindowPosition to) {
        if (to != at) at = SnappedPosition(Handle(), to);
    };
    move({start.left, Settings().Y});
    move({Settings().X, at.top});
    if (at != start) SetWindowPos(Handle(), nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// OLE, the notification-area icon and the drop target are set up once the
// window is shown, the last two once it has been painted: the user sees the
// window sooner, and none is needed before. OLE (and the DLLs it loads) comes
// before the first paint, which asks the shell for the buttons' icons.
void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    ole_.emplace(ComInitScope::Kind::Ole);
    UpdateStatusBar();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ShowTrayIcon();
    RegisterDropTarget();
}

// Also at log-off and shutdown. A minimised window keeps the place it is restored
// to; the window rectangle is right while hidden in the notification area.
void MainWindow::SaveOnClose() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    if (IsIconic(Handle())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(Handle(), &placement);
        // The placement is in work-area coordinates.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor);
        frame = placement.rcNormalPosition;
        OffsetRect(&frame, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    Settings().Y = frame.top;
    Settings().X = frame.left;
    try {
        Settings().SaveSettings();
    } catch (const FileError& error) {
        throw FileError::ChangeNotKept("The window's position was not saved.", error);
    }
    mostUsed_.RankCandidates.clear();
}

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

// The caption and taskbar icons at the sizes of the window's DPI.
void MainWindow::SetWindowIcons() {
    bigIcon_ = LoadAppIcon(GetSystemMetricsForDpi(SM_CXICON, dpi_));
    smallIcon_ = LoadAppIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// Moved to a monitor of another scale, or the scale changed: the window takes
// the place Windows suggests and builds its font, icons, layout and pictures
// (made again at their new size when painted) for the new DPI.
void MainWindow::DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons();
    LayOut();
}

// After OK the settings are saved; the window follows them: the tab style,
// the hot key, the topmost band, the menu check marks (a shown Tavrin Tab
// becomes the active page) and the group pages.
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
    ReregisterMainHotKey();
    ApplyAlwaysOnTop();
    SyncSystemMenu();
    ShowTavrinTab(Settings().ShowAppPanel);
    MatchPagesToGroups();
    UpdateStatusBar();
}

// A window already in the wanted band is left alone: under Wine every change
// of the band is a round trip to the X server, and start-up mostly has none to make.
void MainWindow::ApplyAlwaysOnTop() {
    const bool topmost = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost == Settings().AlwaysOnTop) return;
    SetWindowPos(Handle(), Settings().AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::RunCommand(Command command) {
    switch (command) {
        case Command::AlwaysOnTop:
            Settings().AlwaysOnTop = !Settings().AlwaysOnTop;
            Settings().SaveSettings();
            ApplyAlwaysOnTop();
            SyncSystemMenu();
            break;
        case Command::ShowTavrinTab:
            Settings().ShowAppPanel = !Settings().ShowAppPanel;
            Settings().SaveSettings();
            ShowTavrinTab(Settings().ShowAppPanel);
            SyncSystemMenu();
            break;
        case Command::Report: {
            PlayFeedbackSound(FeedbackSound::Icon);
            ReportServices report{Buttons(),    Settings().GroupNames, services_.shell,
                                  services_.fs, services_.clock,       config_.ProgramFolder()};
            ShowReportWindow(Handle(), report);
            break;
        }
        case Command::Options:
            ShowOptions();
            break;
        case Command::Website: {
            ExecuteRequest request;
            request.owner = ExecuteOwner::Application;
            request.verb = "open";
            request.file = kTavrinHomeAddress;
            request.parameters = "";
            request.directory = "";
            request.showCommand = kShowNormal;
            services_.shell.Execute(request);
            break;
        }
        case Command::BackupSettings:
            if (BackupSettings()) services_.dialogs.ShowMessage("Backup done.");
            break;
        case Command::RestoreSettings:
            RestoreSettings();
            break;
        case Command::ToggleWindow:
            ToggleWindow();  // also when the window is shown: then "Show" hides it
            break;
        case Command::Close:
            SendMessageW(Handle(), WM_CLOSE, 0, 0);  // as the system menu's Close
            break;
        case Command::MoveTabLeft:
            MoveActiveTab(-1);
            break;
        case Command::MoveTabRight:
            MoveActiveTab(1);
            break;
        case Command::NewTab:
            NewTab();
            break;
        case Command::RenameTab:
            RenameActiveTab();
            break;
        case Command::DeleteTab:
            DeleteActiveTab();
            break;
        case Command::MoveButtonToFirst:
            MoveButtonToSlot(1);
            break;
        case Command::MoveButtonLeft:
            MoveButtonBeside(-1);
            break;
        case Command::MoveButtonAfter:
            MoveButtonBeside(1);
            break;
        case Command::MoveButtonToLast:
            MoveButtonToSlot(kSlotsPerGroup);
            break;
        case Command::SwapButton:
            EnterPickMode(false);
            break;
        case Command::CopyButton:
            EnterPickMode(true);
            break;
        case Command::ClearButton:
            ClearButton();
            break;
        case Command::CopyButtonPath:
            CopyButtonPath();
            break;
        case Command::ExploreButtonPath:
            ExploreButtonPath();
            break;
        case Command::ButtonProperties:
            EditButtonProperties();
            break;
        case Command::About:
            ShowAboutDialog(Handle(), services_.shell, {TAVRIN_VERSION_TEXT, kSupportMailAddress, kTavrinHomeAddress});
            break;
        case Command::None:
            break;
    }
}

// After the default handling of a move, an edge near an edge of the window's
// monitor sticks to it.
void MainWindow::SnapToScreenEdges() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WindowPosition snapped = SnappedPosition(Handle(), {frame.left, frame.top});
    if (snapped.left != frame.left || snapped.top != frame.top) {
        SetWindowPos(Handle(), nullptr, snapped.left, snapped.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::ShowStatusMenu() {
    unique_hmenu menu(CreatePopupMenu());
    AppendMenuItems(menu.get(), kStatusMenu);
    SetMenuDefaultItem(menu.get(), static_cast<UINT>(kStatusMenu[0]), FALSE);
    POINT point{};
    GetCursorPos(&point);
    const UINT chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    RunCommand(CommandOfMenuId(chosen));
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOVE:
            // A minimised window sits far off the screen, where snapping would pull it to the corner.
            if (!IsIconic(Handle())) SnapToScreenEdges();
            return 0;
        case WM_SYSCOMMAND: {
            const Command command = CommandOfMenuId(static_cast<unsigned>(wParam & 0xFFF0));
            if (command == Command::None) break;  // the system's own commands
            RunCommand(command);
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabControl_ && header->code == TCN_SELCHANGE) {
                SetActivePage(PageOfTabItem(TabCtrl_GetCurSel(tabControl_)));
                OnPageChanged();
            } else if (header->hwndFrom == tabControl_ && header->code == NM_RCLICK) {
                ShowTabMenu();
                return TRUE;  // the tab control's own handling would ask for a second menu
            } else if (header->hwndFrom == statusBar_ && header->code == NM_RCLICK) {
                ShowStatusMenu();
            }
            return 0;
        }
        case WM_COMMAND:
            // Menu commands, as the tray icon posts them too (no control, no notification code).
            if (lParam == 0 && HIWORD(wParam) == 0) {
                const Command command = CommandOfMenuId(LOWORD(wParam));
                if (command == Command::None) break;
                RunCommand(command);
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // From the keyboard (no place) for the focused tab control or the window itself.
            if (lParam == -1) {
                OpenButtonMenuFromKeyboard();
                return 0;
            }
            // The tab control leaves the empty part of its strip to the window beneath
            // (it hit-tests as transparent there), so a right-click there comes here
            // and asks for the tab menu of the active tab.
            if (reinterpret_cast<HWND>(wParam) == Handle()) {
                RECT tabs{};
                GetWindowRect(tabControl_, &tabs);
                if (PtInRect(&tabs, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                    ShowTabMenu();
                    return 0;
                }
            }
            break;
        case WM_SETCURSOR:
            if (pickCursor_ && reinterpret_cast<HWND>(wParam) == tabControl_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(pickCursor_);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            SaveOnClose();
            DestroyWindow(Handle());
            return 0;
        case WM_ACTIVATE:
            // Another window took over (Alt+Tab): a cell held down comes up without a click.
            if (LOWORD(wParam) == WA_INACTIVE) ReleaseCapture();
            break;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ENDSESSION:
            // The session ends without WM_CLOSE: what closing saves is saved now.
            if (wParam) SaveOnClose();
            return 0;
        case WM_DESTROY:
            dropTarget_.reset();  // OLE lets go of a target only while its window exists
            PostQuitMessage(0);
            return 0;
        default:
            if (message == kRunningCopyMessage) {
                ShowRunningBalloon();
                return 0;
            }
            if (message == kDroppedMessage) {
                AddDroppedButton();
                return 0;
            }
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tavrin
