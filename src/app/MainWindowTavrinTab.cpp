// Launching a button from a group page or from the Tavrin Tab, and the Tavrin
// Tab's recent and most-used panels and tool images.
#include "rules/GridGeometry.h"
#include "app/ProgramResources.h"
#include "app/Resources.h"
#include "rules/TavrinTabLayout.h"
#include "app/MainWindow.h"
#include "win32/Utf16.h"

namespace tavrin {

void MainWindow::BuildTavrinTab(Page& page) {
    for (int k = 0; k < 6; ++k) {
        recentImages_[k] = MakeCell(page, kRecentPanels[k].left, kRecentPanels[k].top, 0, CellKind::TavrinTab);
        mostUsedImages_[k] = MakeCell(page, kMostUsedPanels[k].left, kMostUsedPanels[k].top, 0, CellKind::TavrinTab);
    }
    struct Tool {
        PanelPlace place;
        Action action;
        int picture;
    };
    static constexpr Tool kTools[] = {
        {kOptionsPanel, Action::ActionMenu_AppOptions, IDR_TOOL_OPTIONS},
        {kReportPanel, Action::ActionMenu_Report, IDR_TOOL_REPORT},
        {kBackupPanel, Action::ActionMenu_BackupConfig, IDR_TOOL_BACKUP},
        {kRestorePanel, Action::ActionMenu_ResotreConfig, IDR_TOOL_RESTORE},
    };
    for (size_t i = 0; i < toolImages_.size(); ++i) {
        toolImages_[i] = MakeCell(page, kTools[i].place.left, kTools[i].place.top, 0, CellKind::Tool);
        toolImages_[i]->SetPicture(LoadToolIcon(kTools[i].picture));
        toolImages_[i]->SetHint(ActionHint(kTools[i].action));
        toolActions_[i] = kTools[i].action;
    }
}

// A swap or copy waiting for its target takes the click; until the button
// actions exist nothing can be waiting.
bool MainWindow::CompletePick(ButtonCell&) { return SwapMode || CopyMode; }

void MainWindow::ImageClick(ButtonCell& image) {
    if (CompletePick(image)) return;
    const int id = image.Tag();
    ButtonStore& store = Buttons();
    if (!store.LoadButton(id)) return;
    store.Launch();
    const int total = store.Current().TotolRunTimes;
    SetStatusText(1, UsageText(store.Current(), services_.clock.Today()));
    PlayFeedbackSound(FeedbackSound::Icon);
    Settings().PushRecent(id);
    FillRecentPanel();
    RedrawMostUsed(PromoteMostUsed(mostUsed_, id, total));
}

// A start from the Tavrin Tab keeps the recent list and the most-used order.
void MainWindow::Image_LastClick(ButtonCell& image) {
    const int id = image.Tag();
    if (id == 0) return;
    ButtonStore& store = Buttons();
    if (!store.LoadButton(id)) return;
    store.Launch();
    const int total = store.Current().TotolRunTimes;
    SetStatusText(1, UsageText(store.Current(), services_.clock.Today()));
    UpdateMostUsedCount(mostUsed_, id, total);
    PlayFeedbackSound(FeedbackSound::Icon);
}

void MainWindow::FillRecentPanel() {
    const std::vector<std::string>& recent = Settings().RecentList;
    if (recent.size() < 6) return;
    for (int k = 0; k < 6; ++k) {
        recentImages_[k]->SetTag(ParseButtonID(recent[k]).value_or(0));
        DrawButtonImage(*recentImages_[k]);
    }
}

void MainWindow::RankMostUsedPanel() {
    RankMostUsed(mostUsed_);
    RedrawMostUsed({1, 2, 3, 4, 5, 6});
}

void MainWindow::RedrawMostUsed(const ChangedPositions& positions) {
    for (const int k : positions) {
        mostUsedImages_[k - 1]->SetTag(mostUsed_.MostUsedIDs[k - 1]);
        DrawButtonImage(*mostUsedImages_[k - 1]);
    }
}

void MainWindow::Panel12Click() {
    const std::vector<std::string>& recent = Settings().RecentList;
    for (size_t k = 0; k < 6 && k < recent.size(); ++k) services_.dialogs.ShowMessage(recent[k]);
}

bool MainWindow::BackupSettings() {
    return tavrin::BackupSettings(services_.fs, services_.prompt, services_.dialogs, config_, settingsFileName_,
                                  services_.clock.Today());
}

void MainWindow::RestoreSettings() {
    tavrin::RestoreSettings(services_.fs, services_.dialogs, config_, settingsFileName_);
}

}  // namespace tavrin
