#include "app/MainWindow.h"

#include <commctrl.h>

#include "rules/EdgeSnap.h"
#include "app/ProgramResources.h"
#include "win32/Utf16.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

void AppendMenuEntry(HMENU menu, const MenuEntry& item) {
    if (item.IsSeparator()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
        AppendMenuW(menu, MF_STRING, item.commandId, item.caption);
    }
}

MainWindow::MainWindow(MainWindowServices& services, AppConfig& config, HWND owner)
    : services_(services), config_(config), owner_(owner) {
    ClassOptions options;
    options.icon = LoadAppIcon(32).release();
    options.smallIcon = LoadAppIcon(16).release();
    // The caption is set by the last creation steps: a copy starting meanwhile
    // must not find a half-made window.
    Create(kClassName, options, 0, L"", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
           0, 0, 0, 0, owner_);
    CreateTrayComponents();
    FormCreate();
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
void MainWindow::FormCreate() {
    SwapMode = false;
    CopyMode = false;
    mostUsed_ = {};
    services_.shell.SetApplicationWindow(Handle());
    services_.prompt.SetOwner(Handle());

    settingsFileName_ = config_.SelectSettingsFile();
    storageServices_.emplace(StorageServices{services_.fs, services_.environment, services_.shell, services_.prompt,
                                             services_.clock, settingsFileName_});
    Settings().LoadSettings();

    {
        // One step of the program: the grids and panels see the settings file
        // as it was read once, not asking the file system for each button.
        XmlDocumentFile::SameStepScope step;
        buildingGrids_ = true;
        BuildGroupTabs();
        buildingGrids_ = false;
        RankMostUsedPanel();
        Settings().LoadRecent();
        FillRecentPanel();
    }
    RegisterMainHotKey();
    HiddenToTray = false;

    ApplyTabStyle();
    ApplyAlwaysOnTop();
    BuildSystemMenu();
    SetActivePage(Settings().LastPanelIndex);
    SetWindowTextW(Handle(), kCaption);
    // Each assignment passes through edge snapping, which pulls a stored
    // position that lies off the screen back in.
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), nullptr, frame.left, Settings().Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), nullptr, Settings().X, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowTrayIcon();
}

void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateStatusBar();
}

void MainWindow::FormClose() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);  // also right while hidden in the notification area
    Settings().Y = frame.top;
    Settings().X = frame.left;
    Settings().SaveSettings();
    mostUsed_.RankCandidates.clear();
}

void MainWindow::BuildSystemMenu() {
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const MenuEntry& item : kPopupMenuTitle) AppendMenuEntry(menu, item);
    for (const MenuEntry& item : kPopupMenuTitle) SyncSystemMenuEntry(item);
}

void MainWindow::SyncSystemMenuEntry(const MenuEntry& item) {
    bool checked = false;
    if (item.action == Action::ActionMenu_AlwaysOnTop) {
        checked = Settings().AlwaysOnTop;
    } else if (item.action == Action::ActionMenu_ShowSysPanel) {
        checked = Settings().ShowAppPanel;
        if (pages_.at(0).tabVisible != checked) {
            pages_.at(0).tabVisible = checked;
            RefreshTabItems();
        }
        if (checked) SetActivePage(0);
    } else {
        return;
    }
    ModifyMenuW(GetSystemMenu(Handle(), FALSE), item.commandId, MF_BYCOMMAND | MF_STRING | (checked ? MF_CHECKED : 0),
                item.commandId, item.caption);
}

void MainWindow::ApplyAlwaysOnTop() {
    SetWindowPos(Handle(), Settings().AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::OnSystemCommand(WPARAM command) {
    for (const MenuEntry& item : kPopupMenuTitle) {
        if (!item.IsSeparator() && item.commandId == (command & 0xFFF0)) {
            RunAction(item.action);
            SyncSystemMenuEntry(item);
            return;
        }
    }
}

void MainWindow::RunAction(Action action) {
    switch (action) {
        case Action::ActionMenu_AlwaysOnTop:
            Settings().AlwaysOnTop = !Settings().AlwaysOnTop;
            Settings().SaveSettings();
            ApplyAlwaysOnTop();
            break;
        case Action::ActionMenu_ShowSysPanel:
            Settings().ShowAppPanel = !Settings().ShowAppPanel;
            Settings().SaveSettings();
            SyncSystemMenuEntry(kPopupMenuTitle[1]);
            break;
        case Action::ActionMenu_Report:
        case Action::ActionMenu_AppOptions:
            // The report and the options dialog open here once they exist.
            PlayFeedbackSound(FeedbackSound::Icon);
            break;
        case Action::ActionMenu_Website: {
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
        case Action::ActionMenu_BackupConfig:
            if (BackupSettings()) services_.dialogs.ShowMessage("Backup done.");
            break;
        case Action::ActionMenu_ResotreConfig:
            RestoreSettings();
            break;
        case Action::ActionMenu_About:
        case Action::None:
            break;
    }
}

// After the default handling of a move, an edge near a screen edge sticks to it.
void MainWindow::SnapToScreenEdges() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WindowPosition snapped =
        SnapToEdges({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                    services_.environment.ScreenWidth(), services_.environment.WorkAreaHeight());
    if (snapped.left != frame.left || snapped.top != frame.top) {
        SetWindowPos(Handle(), nullptr, snapped.left, snapped.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::ShowStatusMenu() {
    unique_hmenu menu(CreatePopupMenu());
    for (const MenuEntry& item : kPopupMenuStatus) {
        AppendMenuEntry(menu.get(), item);
    }
    SetMenuDefaultItem(menu.get(), kPopupMenuStatus[0].commandId, FALSE);
    POINT point{};
    GetCursorPos(&point);
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(),
                                       nullptr);
    for (const MenuEntry& item : kPopupMenuStatus) {
        if (chosen != 0 && item.commandId == chosen) RunAction(item.action);
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOVE:
            SnapToScreenEdges();
            return 0;
        case WM_SYSCOMMAND:
            OnSystemCommand(wParam);
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == morePageControl_ && header->code == TCN_SELCHANGE) {
                SetActivePage(PageOfTabItem(TabCtrl_GetCurSel(morePageControl_)));
                MorePageControlChange();
            } else if (header->hwndFrom == statusBar1_ && header->code == NM_RCLICK) {
                ShowStatusMenu();
            }
            return 0;
        }
        case WM_COMMAND:
            // The tray icon posts its menu's commands as a menu would (no control, no notification code).
            if (lParam == 0 && HIWORD(wParam) == 0 && TrayMenuCommand(LOWORD(wParam))) return 0;
            break;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            if (message == kRunningCopyMessage) {
                ShowRunningBalloon();
                return 0;
            }
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tavrin
