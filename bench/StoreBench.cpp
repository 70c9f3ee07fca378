// The stores on a real settings file of 10 groups of 20 buttons: start-up
// drawing every button from one parsed document (and, for comparison, from a
// fresh parse per button), and the click path of one start; and on files of
// 10 and 100 groups, the report's fill of all buttons and a group page's
// summaries. The counter "parses" is the number of parses per iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "storage/AppSettings.h"
#include "rules/FrequencyReport.h"
#include "storage/ButtonStore.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FakeShell.h"
#include "support/FixedClock.h"
#include "support/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace {

using namespace tavrin;
using namespace tavrin::testing;

constexpr int kGroups = 10;

// A user's settings file of groups groups in a temporary folder, made by the
// stores themselves and removed when the program ends.
class SettingsFile {
public:
    static SettingsFile& Instance(int groups = kGroups) {
        static std::map<int, std::unique_ptr<SettingsFile>> files;
        std::unique_ptr<SettingsFile>& file = files[groups];
        if (!file) file.reset(new SettingsFile(groups));
        return *file;
    }

    [[nodiscard]] const StorageServices& Services() const noexcept { return services_; }
    [[nodiscard]] XmlDocumentFile& Document() { return XmlDocumentFile::For(fs_, services_.settingsFileName); }
    [[nodiscard]] const std::vector<std::string>& GroupNames() const noexcept { return groupNames_; }
    [[nodiscard]] FakeShell& Shell() noexcept { return shell_; }

private:
    explicit SettingsFile(int groups) {
        AppSettings settings(services_);
        settings.CreateDefaultSettings();
        settings.GroupNames.clear();
        for (int group = 1; group <= groups; ++group) settings.GroupNames.push_back("Group " + std::to_string(group));
        settings.SaveGroups();
        groupNames_ = settings.GroupNames;
        settings.LoadRecent();
        // Written in one transaction, as 2,000 saves of a growing file would take minutes.
        XmlDocumentFile::Transaction making;
        ButtonStore buttons(services_);
        for (int group = 1; group <= groups; ++group) {
            for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
                buttons.Write(ButtonIDOf(group, slot), Button(group, slot));
            }
        }
        making.Commit();
    }

    // Button slot of group as a user's button looks: a program with a few
    // weeks of use behind it.
    static ButtonRecord Button(int group, int slot) {
        ButtonRecord record;
        const int id = ButtonIDOf(group, slot);
        record.Empty = false;
        record.BtnStyle = kLaunchButton;
        record.Command = "C:\\Program Files\\Tool " + std::to_string(id) + "\\tool" + std::to_string(slot) + ".exe";
        record.IconFile = record.Command;
        record.Parameters = "--profile group" + std::to_string(group);
        record.Description = "Tool " + std::to_string(id);
        record.HotKey = slot % 4 == 0 ? "Ctrl+Alt+" + std::to_string(slot % 10) : "";
        record.TotolRunTimes = id * 7;
        for (std::size_t day = 0; day < record.Day.size(); ++day) {
            record.Day[day] = (id + static_cast<int>(day)) % 9;
            record.DayWeek[day] = 10 + static_cast<int>(day);
        }
        return record;
    }

    TempFolder folder_;
    PosixFileSystem fs_;
    FakeEnvironment environment_{folder_ / "tavrin.exe", "user"};
    FakeShell shell_;
    FakePrompt prompt_;
    FixedClock clock_;
    StorageServices services_{fs_, environment_, shell_, prompt_, clock_, folder_ / "TV_user.xml"};
    std::vector<std::string> groupNames_;
};

// Every button summary the grid draws, group by group; beforeEachLoad runs before each.
template <typename BeforeEachLoad>
void LoadAllSummaries(ButtonStore& store, BeforeEachLoad&& beforeEachLoad) {
    for (int group = 1; group <= kGroups; ++group) {
        for (int slot = 1; slot <= kSlotsPerGroup; ++slot) {
            beforeEachLoad();
            benchmark::DoNotOptimize(store.LoadSummary(ButtonIDOf(group, slot)));
        }
    }
}

void ReportParses(benchmark::State& state, std::uint64_t parsesBefore) {
    state.counters["parses"] = benchmark::Counter(static_cast<double>(XmlDocumentFile::ParseCount() - parsesBefore),
                                                  benchmark::Counter::kAvgIterations);
}

// Start-up: the file is not parsed yet, and all 200 summaries share one read
// and one parse, in one step of the program as the main window draws them.
void BM_StartupSummaries_Cached(benchmark::State& state) {
    SettingsFile& file = SettingsFile::Instance();
    const std::uint64_t parsesBefore = XmlDocumentFile::ParseCount();
    for (auto _ : state) {
        file.Document().Discard();
        const XmlDocumentFile::Transaction startUp;
        ButtonStore store(file.Services());
        LoadAllSummaries(store, [] {});
    }
    ReportParses(state, parsesBefore);
}
BENCHMARK(BM_StartupSummaries_Cached)->Unit(benchmark::kMicrosecond);

// The same loads if every one of them parsed the file afresh.
void BM_StartupSummaries_Uncached(benchmark::State& state) {
    SettingsFile& file = SettingsFile::Instance();
    const std::uint64_t parsesBefore = XmlDocumentFile::ParseCount();
    for (auto _ : state) {
        ButtonStore store(file.Services());
        LoadAllSummaries(store, [&] { file.Document().Discard(); });
    }
    ReportParses(state, parsesBefore);
}
BENCHMARK(BM_StartupSummaries_Uncached)->Unit(benchmark::kMillisecond);

// One click after start-up, on a different button each time, as the window
// makes it, in one transaction: load the button, count the start on a fixed day
// (Launch would start programs), write the counters and move the button to
// the front of the recent list, saved together. "save_share" is the part of
// the time spent from the writes to the end of the one save.
void BM_ClickPath(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    SettingsFile& file = SettingsFile::Instance();
    AppSettings settings(file.Services());
    settings.LoadRecent();  // start-up parsed the file already
    ButtonStore store(file.Services());
    int click = 0;
    Clock::duration saving{};
    const std::uint64_t parsesBefore = XmlDocumentFile::ParseCount();
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        const int id = ButtonIDOf(click / kSlotsPerGroup % kGroups + 1, click % kSlotsPerGroup + 1);
        ++click;
        XmlDocumentFile::Transaction transaction;
        benchmark::DoNotOptimize(store.Load(id));
        const Clock::time_point saveStart = Clock::now();
        benchmark::DoNotOptimize(store.CountStart(id));
        settings.PushRecent(id);
        transaction.Commit();
        saving += Clock::now() - saveStart;
    }
    const Clock::duration total = Clock::now() - start;
    ReportParses(state, parsesBefore);
    state.counters["save_share"] =
        total.count() > 0 ? static_cast<double>(saving.count()) / static_cast<double>(total.count()) : 0.0;
}
BENCHMARK(BM_ClickPath)->Unit(benchmark::kMicrosecond);

// The report as its window opens on all groups (20 buttons per group): the
// rows filled and sorted by Total, and the first page of them described, with
// a shell that answers at once. The file was parsed before, as the program has it.
constexpr std::size_t kReportRowsShown = 25;

ReportTable MakeReport(ButtonStore& store, SettingsFile& file, ShellFileInfoCache& fileInfo) {
    return ReportTable(
        [&](std::vector<ReportRow>& rows, const ReportChoice& choice) {
            return store.FillReport(rows, choice.group, file.GroupNames(), choice.missingOnly);
        },
        [&](ReportRow& row) { store.DescribeReportRow(row, fileInfo); }, {});
}

void BM_ReportFill(benchmark::State& state) {
    SettingsFile& file = SettingsFile::Instance(static_cast<int>(state.range(0)));
    ButtonStore store(file.Services());
    benchmark::DoNotOptimize(store.LoadSummary(ButtonIDOf(1, 1)));
    const std::uint64_t parsesBefore = XmlDocumentFile::ParseCount();
    for (auto _ : state) {
        ShellFileInfoCache fileInfo(file.Shell(), file.Services().fs);
        ReportTable report = MakeReport(store, file, fileInfo);
        report.Open();
        for (std::size_t row = 0; row < std::min(kReportRowsShown, report.Rows().size()); ++row) {
            benchmark::DoNotOptimize(report.DescribedRow(row));
        }
        file.Shell().fileInfoQueries.clear();
    }
    ReportParses(state, parsesBefore);
}
BENCHMARK(BM_ReportFill)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// A header click on the open report of 100 groups (2,000 rows), by file name
// and by type (every row described first), and the group filter: the change
// to one group and the change back to all, each half of the iterations.
void BM_ReportSortAndFilter(benchmark::State& state) {
    SettingsFile& file = SettingsFile::Instance(100);
    ButtonStore store(file.Services());
    ShellFileInfoCache fileInfo(file.Shell(), file.Services().fs);
    ReportTable report = MakeReport(store, file, fileInfo);
    report.Open();
    (void)report.DescribedRows();
    const int action = static_cast<int>(state.range(0));
    bool oneGroup = false;
    for (auto _ : state) {
        if (action == 0) report.ClickHeader(0);
        if (action == 1) report.ClickHeader(kReportWeekBarsColumn + 2);
        if (action == 2) {
            oneGroup = !oneGroup;
            benchmark::DoNotOptimize(report.SelectGroup(oneGroup ? kFirstGroupEntry : kAllGroupsEntry));
        }
    }
    state.SetLabel(action == 0 ? "sort by file" : action == 1 ? "sort by type" : "group filter");
}

BENCHMARK(BM_ReportSortAndFilter)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The summaries of the last group's page as a first show of it loads them, in
// one transaction, at 10 and 100 groups: the cost is not to grow with the
// other groups.
void BM_PageSummaries(benchmark::State& state) {
    const int groups = static_cast<int>(state.range(0));
    SettingsFile& file = SettingsFile::Instance(groups);
    ButtonStore store(file.Services());
    benchmark::DoNotOptimize(store.LoadSummary(ButtonIDOf(1, 1)));
    const std::uint64_t parsesBefore = XmlDocumentFile::ParseCount();
    for (auto _ : state) {
        const XmlDocumentFile::Transaction firstShow;
        benchmark::DoNotOptimize(store.LoadGroupSummaries(groups));
    }
    ReportParses(state, parsesBefore);
}
BENCHMARK(BM_PageSummaries)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
