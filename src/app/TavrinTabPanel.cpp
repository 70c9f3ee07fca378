#include "app/TavrinTabPanel.h"

#include <stdexcept>

#include "app/ProgramResources.h"
#include "app/Resources.h"
#include "rules/GridGeometry.h"
#include "rules/TavrinTabLayout.h"

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

void TavrinTabPanel::Build(const CellMaker& make, int dpi) {
    for (int k = 0; k < 6; ++k) {
        recentImages_[k] = make(PanelCell(kRecentPanels[k], dpi), false);
        mostUsedImages_[k] = make(PanelCell(kMostUsedPanels[k], dpi), false);
    }
    for (size_t i = 0; i < toolImages_.size(); ++i) {
        toolImages_[i] = make(PanelCell(kTools[i].place, dpi), true);
        toolImages_[i]->SetPictureLoader([id = kTools[i].picture](int size) {
            return std::make_shared<const unique_hicon>(LoadToolIcon(id, size));
        });
        toolImages_[i]->SetHint(TextOf(kTools[i].command).hint);
        toolImages_[i]->SetName(TextOf(kTools[i].command).hint);
    }
}

void TavrinTabPanel::Place(TabPage& page, int dpi) {
    const int icon = GridAt(dpi).icon;
    for (int k = 0; k < 6; ++k) {
        recentImages_[k]->SetPlace(PanelCell(kRecentPanels[k], dpi), icon);
        mostUsedImages_[k]->SetPlace(PanelCell(kMostUsedPanels[k], dpi), icon);
    }
    for (size_t i = 0; i < toolImages_.size(); ++i) toolImages_[i]->SetPlace(PanelCell(kTools[i].place, dpi), icon);
    page.SetDivider(ScaledRect(kDivider, dpi));
}

void TavrinTabPanel::ShowRecent(const std::vector<std::string>& recent) {
    if (recent.size() < 6) return;
    for (int k = 0; k < 6; ++k) {
        recentImages_[k]->SetTag(ParseButtonID(recent[k]).value_or(0));
        draw_(*recentImages_[k]);
    }
}

void TavrinTabPanel::RankMostUsed() {
    tavrin::RankMostUsed(mostUsed_);
    RedrawMostUsed({1, 2, 3, 4, 5, 6});
}

void TavrinTabPanel::RedrawMostUsed(const ChangedPositions& positions) {
    for (const int k : positions) {
        mostUsedImages_[k - 1]->SetTag(mostUsed_.MostUsedIDs[k - 1]);
        draw_(*mostUsedImages_[k - 1]);
    }
}

void TavrinTabPanel::RedrawImagesOf(int id) {
    for (const auto* images : {&recentImages_, &mostUsedImages_}) {
        for (ButtonCell* image : *images) {
            if (image->Tag() == id) draw_(*image);
        }
    }
}

CellPlace TavrinTabPanel::PlaceOf(const ButtonCell& cell) const {
    for (int k = 1; k <= 6; ++k) {
        if (&cell == recentImages_[k - 1]) return {RowPosition("recent", k), ""};
        if (&cell == mostUsedImages_[k - 1]) return {RowPosition("most used", k), ""};
    }
    return {};
}

std::optional<Command> TavrinTabPanel::ToolCommandOf(const ButtonCell& cell) const noexcept {
    for (size_t i = 0; i < toolImages_.size(); ++i) {
        if (toolImages_[i] == &cell) return kTools[i].command;
    }
    return std::nullopt;
}

ButtonCell& TavrinTabPanel::ToolImage(Command command) const {
    for (size_t i = 0; i < toolImages_.size(); ++i) {
        if (kTools[i].command == command) return *toolImages_[i];
    }
    throw std::invalid_argument("no tool image runs this command");
}

}  // namespace tavrin
