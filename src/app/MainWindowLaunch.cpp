// Launching a button from a group page or from the Tavrin Tab, and the
// settings backup and restore that the Tavrin Tab's tools start.
#include "app/MainWindow.h"
#include "app/ProgramResources.h"
#include "rules/GridGeometry.h"
#include "win32/ScopeExit.h"
#include "win32/Utf16.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// A swap or copy waiting for its target takes the click. The panels are drawn
// after the click's one save, from the same tree.
void MainWindow::LaunchFromGrid(ButtonCell& image) {
    if (!CompletePick(image)) LaunchGridButton(image.Tag());
}

void MainWindow::LaunchGridButton(int id) {
    LaunchButton(id, true, [&](std::int64_t total) {
        PlayFeedbackSound(FeedbackSound::Icon);
        tavrinTab_.ShowRecent(Settings().RecentList);
        tavrinTab_.RedrawMostUsed(PromoteMostUsed(tavrinTab_.MostUsed(), id, total));
    });
}

// A start from the Tavrin Tab keeps the recent list and the most-used order.
void MainWindow::LaunchFromTavrinTab(ButtonCell& image) {
    const int id = image.Tag();
    if (id == 0) return;
    LaunchButton(id, false, [&](std::int64_t total) {
        UpdateMostUsedCount(tavrinTab_.MostUsed(), id, total);
        PlayFeedbackSound(FeedbackSound::Icon);
    });
}

// Starts the launch button of id, counts the start (and moves it to the front
// of the recent list) in one transaction, shows its usage and hands its total
// of starts to shown, which draws from the same tree. A button whose target is
// missing says so in the status bar. Nothing happens when id holds no launch
// button, or while another launch is still running: the shell pumps
// messages meanwhile, and a second click would become part of the first
// one's transaction. When another program replaced the file meanwhile, the
// start is counted again on top of what the file holds then; the program is
// not started twice.
void MainWindow::LaunchButton(int id, bool toFrontOfRecent, const std::function<void(std::int64_t total)>& shown) {
    if (launching_) return;
    ButtonStore& store = Buttons();
    std::optional<ButtonRecord> button;
    try {
        const auto count = [&] {
            if (std::optional<ButtonRecord> counted = store.CountStart(id)) button = std::move(counted);
            if (toFrontOfRecent) {
                Settings().LoadRecent();
                Settings().PushRecent(id);
            }
        };
        bool changedMeanwhile = false;
        {
            XmlDocumentFile::Transaction click;
            button = store.Load(id);
            if (!button || !button->IsLaunchButton()) return;
            launching_ = true;
            const ScopeExit done([this] { launching_ = false; });
            if (!store.Start(*button)) {
                // Nothing was started: nothing is counted and the recent list stays.
                SetStatusText(0, "The target of " + NameOfButton(*button) + " is missing: " + button->Command);
                return;
            }
            count();
            try {
                click.Commit();
            } catch (const FileChangedError&) {
                changedMeanwhile = true;
            }
            if (!changedMeanwhile) ShowStart(*button, shown);
        }
        if (changedMeanwhile) {
            Transact(count);
            ShowStart(*button, shown);
        }
    } catch (const FileError& error) {
        throw FileError::ChangeNotKept(
            "The start of " + NameOfButton(button.value_or(ButtonRecord{})) + " was not counted.", error);
    }
}

void MainWindow::ShowStart(const ButtonRecord& button, const std::function<void(std::int64_t total)>& shown) {
    SetStatusText(1, UsageText(button, services_.clock.Today()));
    shown(button.TotolRunTimes);
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
