// Launching a button from a group page or from the Tavrin Tab, and the Tavrin
// Tab's recent and most-used panels and tool images.
#include "app/MainWindow.h"
#include "app/ProgramResources.h"
#include "app/Resources.h"
#include "rules/GridGeometry.h"
#include "rules/TavrinTabLayout.h"
#include "win32/Utf16.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

namespace {

struct Tool {
    PanelPlace place;
    Command command;
    int picture;
};
constexpr Tool kTools[] = {
    {kOptionsPanel, Command::Options, IDR_TOOL_OPTIONS},
    {kReportPanel, Command::Report, IDR_TOOL_REPORT},
    {kBackupPanel, Command::BackupSettings, IDR_TOOL_BACKUP},
    {kRestorePanel, Command::RestoreSettings, IDR_TOOL_RESTORE},
};

}  // namespace

void MainWindow::BuildTavrinTab(Page& page) {
    for (int k = 0; k < 6; ++k) {
        recentImages_[k] = MakeCell(page, PanelCell(kRecentPanels[k], dpi_), 0, CellKind::TavrinTab);
        mostUsedImages_[k] = MakeCell(page, PanelCell(kMostUsedPanels[k], dpi_), 0, CellKind::TavrinTab);
    }
    for (size_t i = 0; i < toolImages_.size(); ++i) {
        toolImages_[i] = MakeCell(page, PanelCell(kTools[i].place, dpi_), 0, CellKind::Tool);
        toolImages_[i]->SetPictureLoader([id = kTools[i].picture](int size) { return LoadToolIcon(id, size); });
        toolImages_[i]->SetHint(TextOf(kTools[i].command).hint);
        toolCommands_[i] = kTools[i].command;
    }
}

void MainWindow::PlaceTavrinTabCells() {
    const int icon = GridAt(dpi_).icon;
    for (int k = 0; k < 6; ++k) {
        recentImages_[k]->SetPlace(PanelCell(kRecentPanels[k], dpi_), icon);
        mostUsedImages_[k]->SetPlace(PanelCell(kMostUsedPanels[k], dpi_), icon);
    }
    for (size_t i = 0; i < toolImages_.size(); ++i) toolImages_[i]->SetPlace(PanelCell(kTools[i].place, dpi_), icon);
    pages_.at(0).window->SetDivider(ScaledRect(kDivider, dpi_));
}

// A swap or copy waiting for its target takes the click. A click is one
// operation of the program: the settings file is looked at once, the program
// started first, and the counters and the recent list saved together in one
// save; the panels are drawn after it from the same tree.
void MainWindow::LaunchFromGrid(ButtonCell& image) {
    if (CompletePick(image)) return;
    XmlDocumentFile::Operation click;
    const int id = image.Tag();
    const std::optional<std::int64_t> total = LaunchButton(id);
    if (!total) return;
    PlayFeedbackSound(FeedbackSound::Icon);
    Settings().PushRecent(id);
    click.Commit();
    FillRecentPanel();
    RedrawMostUsed(PromoteMostUsed(mostUsed_, id, *total));
}

// A start from the Tavrin Tab keeps the recent list and the most-used order.
void MainWindow::LaunchFromTavrinTab(ButtonCell& image) {
    const int id = image.Tag();
    if (id == 0) return;
    XmlDocumentFile::Operation click;
    const std::optional<std::int64_t> total = LaunchButton(id);
    if (!total) return;
    click.Commit();
    UpdateMostUsedCount(mostUsed_, id, *total);
    PlayFeedbackSound(FeedbackSound::Icon);
}

// Starts the launch button of id, shows its usage and returns its total of
// starts; nothing when id holds no launch button, or while another launch is
// still running: the shell pumps messages meanwhile, and a second click must
// not replace the store's current record mid-launch.
std::optional<std::int64_t> MainWindow::LaunchButton(int id) {
    if (launching_) return std::nullopt;
    ButtonStore& store = Buttons();
    if (!store.LoadButton(id)) return std::nullopt;
    launching_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{launching_};
    store.Launch();
    SetStatusText(1, UsageText(store.Current(), services_.clock.Today()));
    return store.Current().TotolRunTimes;
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

// A click on the frame of the last most-used image lists the recent IDs.
void MainWindow::ShowRecentList() {
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
