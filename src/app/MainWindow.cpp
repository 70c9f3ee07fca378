#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/ProgramResources.h"
#include "storage/SettingsRecovery.h"
#include "win32/DebugTrace.h"
#include "win32/Dpi.h"
#include "win32/Win32FileSystem.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

MainWindow::MainWindow(MainWindowServices& services, AppConfig& config, HWND owner)
    : services_(services),
      config_(config),
      owner_(owner),
      tavrinTab_([this](ButtonCell& cell) { DrawButtonImage(cell); }),
      pick_([this](HCURSOR cursor, const std::string& statusText) { ShowPick(cursor, statusText); }) {
    // The caption is set by the last creation steps: a copy starting meanwhile
    // must not find a half-made window.
    Create(kClassName, {},
           {.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, .parent = owner_});
    dpi_ = DpiOf(Handle());
    SetWindowIcons();
    tray_.emplace(Handle(), layoutKeyNames_);
    buttonHotKeys_.emplace(*tray_, layoutKeyNames_, [this](int id) { LaunchFromHotKey(id); });
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
    tavrinTab_.MostUsed() = {};
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
        tavrinTab_.MostUsed().RankCandidates.clear();
        for (const ButtonTotal& stored : Buttons().StoredTotals(PageCount() - 1)) {
            tavrinTab_.MostUsed().RankCandidates.push_back({stored.id, stored.total});
        }
        tavrinTab_.RankMostUsed();
        Settings().LoadRecent();
        tavrinTab_.ShowRecent(Settings().RecentList);
        tray_->RegisterMainHotKey(Settings().GlobalHotKeyText);

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
                          [](const std::string& text) { TraceFailure(text); });
}

// OLE, the tab items beyond those the strip shows, the notification-area icon,
// the buttons' hot keys, the drop target and the find's results page are set
// up once the window is shown, all but OLE once it has been painted: the user
// sees the window sooner, and none is needed before. OLE (and the DLLs it
// loads) comes before the first paint, which asks the shell for the buttons'
// icons. With the results page made, the first key of a find costs no more
// than the next.
void MainWindow::Show() {
    // Focus cues appear once a key is used, as in a dialog opened with the mouse.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    ole_.emplace(ComInitScope::Kind::Ole);
    UpdateStatusBar();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    AppendTabItems(PageCount());
    tray_->ShowIcon();
    SyncButtonHotKeys();
    RegisterDropTarget();
    (void)FindPage();
}

void MainWindow::RunCommand(Command command) {
    switch (command) {
        case Command::AlwaysOnTop:
            ToggleAlwaysOnTop();
            break;
        case Command::ShowTavrinTab:
            ToggleTavrinTab();
            break;
        case Command::Report:
            ShowReport();
            break;
        case Command::Options:
            ShowOptions();
            break;
        case Command::Website:
            OpenWebsite();
            break;
        case Command::BackupSettings:
            if (BackupSettings()) services_.dialogs.ShowMessage("Backup done.");
            break;
        case Command::RestoreSettings:
            RestoreSettings();
            break;
        case Command::ToggleWindow:
            tray_->ToggleWindow();  // also when the window is shown: then "Show" hides it
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
            BeginPick(PickMode::Kind::Swap);
            break;
        case Command::CopyButton:
            BeginPick(PickMode::Kind::Copy);
            break;
        case Command::ClearButton:
            ClearButton();
            break;
        case Command::ResetButtonCounts:
            ResetButtonCounts();
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
            ShowAbout();
            break;
        case Command::None:
            break;
    }
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
            } else if (header->hwndFrom == tabControl_ && header->code == TCN_KEYDOWN) {
                if (!OnWindowKey(reinterpret_cast<const NMTCKEYDOWN*>(lParam)->wVKey)) FindCharOfTabStrip();
                SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            } else if (header->hwndFrom == statusBar_ && header->code == NM_RCLICK) {
                ShowStatusMenu();
            } else if (header->hwndFrom == statusBar_ && header->code == NM_CLICK) {
                (void)pick_.End();
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
            // From the keyboard (no place): the tab menu for the focused tab strip,
            // else the button menu.
            if (lParam == -1) {
                if (GetFocus() == tabControl_) {
                    ShowTabMenuFromKeyboard();
                } else {
                    OpenButtonMenuFromKeyboard();
                }
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
            if (pick_.Waiting() && reinterpret_cast<HWND>(wParam) == tabControl_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(pick_.Cursor());
                return TRUE;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && pick_.End()) return 0;
            break;
        case WM_CHAR:
            if (OnFindChar(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_SHOWWINDOW:
            if (!wParam) EndFind();  // a hidden window comes back with its page
            break;
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            // A press on the caption or the frame is outside the grid: a waiting pick ends.
            (void)pick_.End();
            break;
        case WM_CLOSE:
            SaveOnClose();
            DestroyWindow(Handle());
            return 0;
        case WM_ACTIVATE:
            // Another window took over (Alt+Tab): a cell held down comes up without a click.
            if (LOWORD(wParam) == WA_INACTIVE) {
                ReleaseCapture();
                lastFocus_ = GetFocus();
            }
            break;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
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
                tray_->ShowRunningBalloon();
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
