// Start-up, memory and click cost of tavrin.exe against a bare Win32 window
// program, in one run, so that every figure is a ratio or a difference to the
// yardstick measured under the same load of the machine:
//
// 1. Start-up with a settings file of 10 groups × 20 buttons (218 KB; the
//    size of the profile is an argument), whose buttons show the icons of the
//    system's shell library in turn, a picture of its own in each cell, and
//    2. at a first start (a program folder holding nothing but the program):
//    each program is started N times (CreateProcessW), timed from the call
//    until its main window is visible, asked for its working set and private
//    bytes once it is idle, and closed with WM_CLOSE. The runs of all
//    programs alternate; the first run of each is a warm-up, not counted.
//    Yardsticks: the bare window alone, and the bare window with a tab control
//    and a status bar, which Tavrin's window is made of.
// 3. Reading and parsing the 218 KB settings file in this process, as
//    start-up does (under Wine when run there).
// 4. A click: a running tavrin.exe is sent the mouse messages of a click on a
//    button of its group page (SendMessageW returns once the page has handled
//    them, so the time is the click handler's), alternating with a click on the
//    bare window, whose handler makes only the shell request that Tavrin's
//    makes. Both start the same small program, which notes every start, so the
//    benchmark checks that every click started it.
// 5. The report and the pages, with the profile's buttons opening files of
//    their own (documents of a few types, and one program per group): the
//    time from a click on the report tool to the report window shown and
//    painted, alternating with a bare dialog that fills a list of as many rows
//    on a click; and the first show of each group page after the first few
//    (a key press on the tab control until the page is built and painted);
//    then two characters typed on the page (WM_CHAR), each until the find
//    over every button has run and its results page is painted.
//
// Build and run (cross build, under Wine and Xvfb):
//   cmake --preset mingw && cmake --build --preset mingw --target tavrin_startup_bench
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/mingw/wine-run.sh build/mingw/bench/startup/tavrin_startup_bench.exe
//   WINEPREFIX=build/mingw/wineprefix wineserver -k
// Arguments, all optional: the number of runs (default 20), the number of
// groups of 20 buttons of the profile (default 10), and the Windows path of
// another tavrin.exe (an earlier build, say), measured beside this one in the
// same run. On Windows, run tavrin_startup_bench.exe of the build folder directly.
//
// How often the program parses and saves its settings file cannot be seen
// from outside; the unit tests of the stores count both.
#include <windows.h>
#include <commctrl.h>
#include <lmcons.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SettingsProfile.h"
#include "rules/GridGeometry.h"
#include "rules/TavrinTabLayout.h"
#include "storage/ButtonRecord.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"
#include "xml/XmlTree.h"

namespace {

using tavrin::Narrow;
using tavrin::Widen;

constexpr int kPageShows = 8;  // first shows of group pages per run, at most
constexpr DWORD kWindowTimeoutMs = 30000;
constexpr double kMiB = 1024.0 * 1024.0;

struct Sample {
    double startMs;
    double workingSetMiB;
    double privateMiB;
};

struct Subject {
    std::string name;
    std::wstring program;
    std::wstring arguments;
    const wchar_t* windowClass;
    std::wstring folder;  // the program's folder and working folder
    bool firstStart;      // the folder is emptied of all but the program before each run
    std::vector<Sample> samples;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The build passes Unix paths; under Wine the root of the Unix file system is drive Z:.
std::wstring WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return Widen(path);
}

std::wstring SettingsFileName() {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    const std::string user = GetUserNameW(name, &size) ? Narrow(std::wstring_view(name, size - 1)) : std::string();
    return Widen("TV_" + user + ".xml");
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) throw std::runtime_error("cannot write " + Narrow(path));
}

// Removes what folder holds, files and subfolders, except the file named keep;
// with an empty keep, the folder itself as well.
void RemoveContent(const std::wstring& folder, const std::wstring& keep = {}) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L".." || name == keep) continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveContent(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    if (keep.empty()) RemoveDirectoryW(folder.c_str());
}

// A folder under the temporary folder, removed with its files and subfolders.
class Folder {
public:
    explicit Folder(std::wstring path) : path_(std::move(path)) {
        if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + Narrow(path_));
    }
    // The programs under test leave folders of their own (their backups) in theirs.
    ~Folder() { RemoveContent(path_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    [[nodiscard]] std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }

    std::wstring Copy(const std::wstring& program, const wchar_t* name) const {
        const std::wstring copy = *this / name;
        if (!CopyFileW(program.c_str(), copy.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + Narrow(program));
        return copy;
    }

private:
    std::wstring path_;
};

// The system's shell library and its number of icons: the profiles' buttons
// take its icons in turn, so that each cell of a page has a picture of its own.
struct IconLibrary {
    std::string path;
    int count;
};

IconLibrary SystemIconLibrary() {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = std::wstring(system, length) + L"\\shell32.dll";
    const auto count = reinterpret_cast<INT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), -1));
    if (count <= 0) throw std::runtime_error("no icons in " + Narrow(path));
    return {Narrow(path), static_cast<int>(count)};
}

std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
}

// The visible top-level window of this class that belongs to the process, or null.
HWND VisibleWindowOf(DWORD processId, const wchar_t* windowClass) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A started program with its main window shown, closed when this goes.
class Running {
public:
    explicit Running(const Subject& subject) : name_(subject.name) {
        std::wstring commandLine = L"\"" + subject.program + L"\"";
        if (!subject.arguments.empty()) commandLine += L" \"" + subject.arguments + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        const LARGE_INTEGER started = Now();
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, subject.folder.c_str(),
                            &startup, &info)) {
            throw std::runtime_error("cannot start " + name_);
        }
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        LARGE_INTEGER now = started;
        while (!(window_ = VisibleWindowOf(info.dwProcessId, subject.windowClass)) &&
               Milliseconds(started, now) < kWindowTimeoutMs && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            Sleep(1);  // the program under test needs the processor more than this loop does
            now = Now();
        }
        startMs_ = Milliseconds(started, Now());
        if (window_) WaitForInputIdle(process_, 5000);
    }
    ~Running() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s did not close; stopped\n", name_.c_str());
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    [[nodiscard]] HWND Window() const noexcept { return window_; }
    [[nodiscard]] DWORD ProcessId() const noexcept { return processId_; }

    std::optional<Sample> Measure() const {
        if (!window_) {
            std::fprintf(stderr, "%s showed no window\n", name_.c_str());
            return std::nullopt;
        }
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process_, &memory, sizeof memory);
        return Sample{startMs_, static_cast<double>(memory.WorkingSetSize) / kMiB,
                      static_cast<double>(PrivateBytes()) / kMiB};
    }

    // The committed memory that belongs to the process alone, added up region
    // by region: Wine leaves the counter of private bytes at zero.
    [[nodiscard]] SIZE_T PrivateBytes() const {
        SIZE_T total = 0;
        MEMORY_BASIC_INFORMATION region{};
        for (const char* address = nullptr; VirtualQueryEx(process_, address, &region, sizeof region) == sizeof region;
             address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
            if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        }
        return total;
    }

private:
    std::string name_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    double startMs_ = 0;
};

std::optional<Sample> RunOnce(const Subject& subject) {
    // Backups left by an earlier run would make the start one of a folder whose settings were lost.
    if (subject.firstStart)
        RemoveContent(subject.folder, subject.program.substr(subject.program.find_last_of(L'\\') + 1));
    return Running(subject).Measure();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianOf(const Subject& subject, double Sample::*field) {
    std::vector<double> values;
    for (const Sample& sample : subject.samples) values.push_back(sample.*field);
    return Median(values);
}

double MinimumOf(const Subject& subject, double Sample::*field) {
    double minimum = subject.samples.empty() ? 0 : subject.samples.front().*field;
    for (const Sample& sample : subject.samples) minimum = std::min(minimum, sample.*field);
    return minimum;
}

// Runs the subjects alternately, a warm-up and then runs times each, and
// prints the table and the ratios of the Tavrin subjects (those before
// `yardsticks`) to each yardstick. False when a subject never showed its window.
bool Compare(const char* title, std::vector<Subject>& subjects, size_t yardsticks, int runs, bool memory) {
    for (Subject& subject : subjects) RunOnce(subject);
    for (int run = 0; run < runs; ++run) {
        for (Subject& subject : subjects) {
            if (const auto sample = RunOnce(subject)) subject.samples.push_back(*sample);
        }
    }
    std::printf("\n%s, %d runs each\n", title, runs);
    std::printf("%-24s %10s %10s %14s %14s\n", "program", "median ms", "min ms", "working set MiB", "private MiB");
    bool complete = true;
    for (const Subject& subject : subjects) {
        std::printf("%-24s %10.1f %10.1f %14.1f %14.1f\n", subject.name.c_str(), MedianOf(subject, &Sample::startMs),
                    MinimumOf(subject, &Sample::startMs), MedianOf(subject, &Sample::workingSetMiB),
                    MedianOf(subject, &Sample::privateMiB));
        complete = complete && !subject.samples.empty();
    }
    const size_t first = subjects.size() - yardsticks;
    for (size_t i = 0; i < first; ++i) {
        for (size_t j = first; j < subjects.size(); ++j) {
            const auto ratio = [&](double Sample::*field) {
                const double bare = MedianOf(subjects[j], field);
                return bare > 0 ? MedianOf(subjects[i], field) / bare : 0;
            };
            // The other programs on the machine only ever add time: the fastest
            // runs are the least disturbed, so their ratio is printed as well.
            const double fastestBare = MinimumOf(subjects[j], &Sample::startMs);
            std::printf("ratio %s / %s: start-up %.2f (fastest runs %.2f)", subjects[i].name.c_str(),
                        subjects[j].name.c_str(), ratio(&Sample::startMs),
                        fastestBare > 0 ? MinimumOf(subjects[i], &Sample::startMs) / fastestBare : 0);
            if (memory) {
                std::printf(", working set %.2f, private bytes %.2f", ratio(&Sample::workingSetMiB),
                            ratio(&Sample::privateMiB));
            }
            std::printf("\n");
        }
    }
    return complete;
}

// The time SendMessageW takes to deliver a click at point of window and have it handled.
double TimedClick(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    const LARGE_INTEGER start = Now();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
    return Milliseconds(start, Now());
}

// The group page that Tavrin shows.
HWND VisiblePage(HWND mainWindow) {
    HWND page = nullptr;
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[64];
            if (!IsWindowVisible(child) || !GetClassNameW(child, name, 64) || std::wstring(name) != L"TavrinTabPage") {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&page));
    return page;
}

DWORD FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// Clicks the buttons of a Tavrin subject's shown group page in turn and the
// bare window alternately, after a warm-up click of each; prints the medians.
// False when a click started nothing.
bool CompareClicks(const Subject& tavrin, const Subject& bare, const std::wstring& launchedLog, int clicks) {
    const Running program(tavrin);
    const Running yardstick(bare);
    const HWND page = program.Window() ? VisiblePage(program.Window()) : nullptr;
    if (!page || !yardstick.Window()) {
        std::fprintf(stderr, "%s: no group page or no bare window to click\n", tavrin.name.c_str());
        return false;
    }
    const DWORD logBefore = FileSize(launchedLog);
    const int dpi = static_cast<int>(GetDpiForWindow(page));
    std::vector<double> handler, request;
    for (int click = 0; click <= clicks; ++click) {
        const tavrin::CellRect cell = tavrin::CellOfSlot(click % 20 + 1, dpi);
        const double tavrinMs = TimedClick(page, {cell.left + cell.width / 2, cell.top + cell.height / 2});
        const double bareMs = TimedClick(yardstick.Window(), {10, 10});
        if (click == 0) continue;  // the warm-up
        handler.push_back(tavrinMs);
        request.push_back(bareMs);
    }
    // The started programs note themselves a little later.
    const DWORD expected = logBefore + 2 * static_cast<DWORD>(clicks + 1);
    for (int wait = 0; wait < 100 && FileSize(launchedLog) < expected; ++wait) Sleep(50);
    const DWORD started = FileSize(launchedLog) - logBefore;
    std::printf(
        "%-24s click handler median %6.1f ms (min %6.1f); bare shell request median %6.1f ms (min %6.1f); "
        "difference %5.1f ms; %lu of %lu clicks started the program\n",
        tavrin.name.c_str(), Median(handler), *std::min_element(handler.begin(), handler.end()), Median(request),
        *std::min_element(request.begin(), request.end()), Median(handler) - Median(request), started,
        expected - logBefore);
    return started == expected - logBefore;
}

// Posts a click at point of window and waits for a dialog of the program to
// be visible and painted (the paint is where a list asks for the rows it
// shows); the time until then, or empty when none showed. The dialog is closed.
std::optional<double> TimedDialogOpen(const Running& program, HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    const LARGE_INTEGER start = Now();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(window, WM_LBUTTONUP, 0, where);
    HWND dialog = nullptr;
    for (LARGE_INTEGER now = start;
         !(dialog = VisibleWindowOf(program.ProcessId(), L"#32770")) && Milliseconds(start, now) < kWindowTimeoutMs;
         now = Now()) {
        Sleep(1);
    }
    if (!dialog) return std::nullopt;
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double shownMs = Milliseconds(start, Now());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    for (int wait = 0; wait < 1000 && IsWindow(dialog); ++wait) Sleep(5);
    return shownMs;
}

// A key press on the tab control that selects a page shown for the first
// time: the time until the page is built and painted.
double TimedPageShow(HWND mainWindow, HWND tabs) {
    const LARGE_INTEGER start = Now();
    SendMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Milliseconds(start, Now());
}

// A character typed on the page shown: the time until the find has run over
// every button and its results page is painted. The first character also reads
// the buttons the find searches.
double TimedKeystroke(HWND mainWindow, wchar_t character) {
    const HWND page = VisiblePage(mainWindow);
    const LARGE_INTEGER start = Now();
    SendMessageW(page, WM_CHAR, character, 0);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Milliseconds(start, Now());
}

struct ReportSamples {
    std::vector<double> report, pageShows, firstKeys, nextKeys;
};

// One run of a Tavrin subject: the first shows of the group pages after the
// one shown at start-up, then back to the Tavrin Tab and a click on its report
// tool. False when something did not show.
bool MeasureReportRun(const Subject& tavrin, int groups, ReportSamples& samples) {
    const Running program(tavrin);
    const HWND tabs = program.Window() ? FindWindowExW(program.Window(), nullptr, WC_TABCONTROLW, nullptr) : nullptr;
    if (!tabs) return false;
    for (int page = 2; page <= std::min(groups, 1 + kPageShows); ++page) {
        samples.pageShows.push_back(TimedPageShow(program.Window(), tabs));
    }
    // "b" and "u" match every button ("Button 101"): the largest results.
    if (!VisiblePage(program.Window())) return false;
    samples.firstKeys.push_back(TimedKeystroke(program.Window(), L'b'));
    samples.nextKeys.push_back(TimedKeystroke(program.Window(), L'u'));
    SendMessageW(VisiblePage(program.Window()), WM_KEYDOWN, VK_ESCAPE, 0);
    for (int left = 0; left <= groups && SendMessageW(tabs, TCM_GETCURSEL, 0, 0) > 0; ++left) {
        SendMessageW(tabs, WM_KEYDOWN, VK_LEFT, 0);
    }
    const HWND tavrinTab = VisiblePage(program.Window());
    if (!tavrinTab || SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 0) return false;
    // The Tavrin Tab's pictures are made before the click, which is to time the report alone.
    RedrawWindow(program.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const tavrin::CellRect tool = tavrin::PanelCell(tavrin::kReportPanel, static_cast<int>(GetDpiForWindow(tavrinTab)));
    const std::optional<double> shown =
        TimedDialogOpen(program, tavrinTab, {tool.left + tool.width / 2, tool.top + tool.height / 2});
    if (shown) samples.report.push_back(*shown);
    return shown.has_value();
}

void PrintMedian(const char* what, const std::vector<double>& values) {
    std::printf("  %-36s median %8.1f ms (min %8.1f)\n", what, Median(values),
                values.empty() ? 0 : *std::min_element(values.begin(), values.end()));
}

// The Tavrin subjects and the bare dialog alternately, a warm-up and then runs
// times each; each Tavrin run starts from profile written afresh. Prints the medians.
bool CompareReports(const std::vector<Subject>& programs, const std::vector<std::wstring>& settingsPaths,
                    const std::string& profile, const Subject& bareDialog, int groups, int runs) {
    std::vector<ReportSamples> samples(programs.size());
    std::vector<double> bare;
    bool ok = true;
    for (int run = 0; run <= runs; ++run) {
        for (size_t i = 0; i < programs.size(); ++i) {
            WriteFileBytes(settingsPaths[i], profile);
            ReportSamples sample;
            ok = MeasureReportRun(programs[i], groups, sample) && ok;
            if (run == 0) continue;  // the warm-up
            samples[i].report.insert(samples[i].report.end(), sample.report.begin(), sample.report.end());
            samples[i].pageShows.insert(samples[i].pageShows.end(), sample.pageShows.begin(), sample.pageShows.end());
            samples[i].firstKeys.insert(samples[i].firstKeys.end(), sample.firstKeys.begin(), sample.firstKeys.end());
            samples[i].nextKeys.insert(samples[i].nextKeys.end(), sample.nextKeys.begin(), sample.nextKeys.end());
        }
        const Running yardstick(bareDialog);
        const std::optional<double> shown =
            yardstick.Window() ? TimedDialogOpen(yardstick, yardstick.Window(), {10, 10}) : std::nullopt;
        ok = shown.has_value() && ok;
        if (shown && run > 0) bare.push_back(*shown);
    }
    std::printf("\nthe report of %d rows and the first shows of group pages, %d runs each after a warm-up\n",
                groups * tavrin::kSlotsPerGroup, runs);
    PrintMedian("bare dialog, list filled", bare);
    for (size_t i = 0; i < programs.size(); ++i) {
        std::printf("%s\n", programs[i].name.c_str());
        PrintMedian("click on the report tool, shown", samples[i].report);
        std::printf("  %-36s %.2f\n", "ratio to the bare dialog",
                    Median(bare) > 0 ? Median(samples[i].report) / Median(bare) : 0);
        if (!samples[i].pageShows.empty()) PrintMedian("first show of a group page", samples[i].pageShows);
        PrintMedian("first key of a find, results painted", samples[i].firstKeys);
        PrintMedian("next key of a find, results painted", samples[i].nextKeys);
    }
    return ok;
}

// The settings file read and parsed runs + 1 times; the first is a warm-up.
void MeasureParse(const std::wstring& settingsPath, int runs) {
    tavrin::Win32FileSystem fs;
    const std::string path = Narrow(settingsPath);
    std::vector<double> reads, parses;
    std::size_t size = 0;
    for (int run = 0; run <= runs; ++run) {
        const LARGE_INTEGER start = Now();
        const std::string bytes = fs.ReadFile(path);
        const LARGE_INTEGER read = Now();
        tavrin::XmlDocument document;
        document.LoadFromText(bytes, path, [&fs](std::string_view ansi) { return fs.AnsiToUtf8(ansi); });
        const LARGE_INTEGER parsed = Now();
        if (run == 0) continue;
        size = bytes.size();
        reads.push_back(Milliseconds(start, read));
        parses.push_back(Milliseconds(read, parsed));
    }
    const double parse = Median(parses);
    std::printf(
        "\nthe settings file (%zu KB) in this process, %d runs: read median %.2f ms, parse median %.2f ms "
        "(%.0f MB/s)\n",
        size / 1024, runs, Median(reads), parse, parse > 0 ? static_cast<double>(size) / kMiB / (parse / 1000) : 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int groups = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::optional<std::wstring> baseline = argc > 3 ? std::optional(Widen(argv[3])) : std::nullopt;
    try {
        const Folder root(TempFolder(L"tavrin-startup-bench"));
        const std::wstring settingsName = SettingsFileName();
        const std::wstring launched = root.Copy(WindowsPath(LAUNCHED_EXE), L"launched.exe");
        const std::wstring launchedLog = root / L"launched.log";
        const std::wstring bare = root.Copy(WindowsPath(BARE_WINDOW_EXE), L"bare_window.exe");
        const std::wstring bareControls = root.Copy(WindowsPath(BARE_CONTROLS_WINDOW_EXE), L"bare_controls.exe");
        const IconLibrary icons = SystemIconLibrary();

        // Each Tavrin under test has program folders of its own: one with the
        // profile (its buttons start the launched program), one for first starts.
        struct Tavrin {
            std::string name;
            std::unique_ptr<Folder> profile, empty;
        };
        std::vector<Tavrin> programs;
        const auto addTavrin = [&](const std::string& name, const std::wstring& exe) {
            Tavrin& tavrin = programs.emplace_back(Tavrin{name, std::make_unique<Folder>(root / Widen(name)),
                                                          std::make_unique<Folder>(root / Widen(name + "-first"))});
            tavrin.profile->Copy(exe, L"tavrin.exe");
            tavrin.empty->Copy(exe, L"tavrin.exe");
            WriteFileBytes(*tavrin.profile / settingsName,
                           tavrin::bench::SettingsProfile(groups, icons.path, Narrow(launched), icons.count));
        };
        addTavrin("tavrin", WindowsPath(TAVRIN_EXE));
        if (baseline) addTavrin("baseline", *baseline);

        const auto yardsticks = [&](const std::wstring& arguments) {
            return std::vector<Subject>{
                {"bare window", bare, arguments, L"TavrinBareWindow", root.Path(), false, {}},
                {"bare window+tabs+status", bareControls, arguments, L"TavrinBareWindow", root.Path(), false, {}}};
        };
        std::vector<Subject> profile, firstStart;
        for (const Tavrin& tavrin : programs) {
            profile.push_back(
                {tavrin.name, *tavrin.profile / L"tavrin.exe", L"", L"TfrmTavrin", tavrin.profile->Path(), false, {}});
            firstStart.push_back(
                {tavrin.name, *tavrin.empty / L"tavrin.exe", L"", L"TfrmTavrin", tavrin.empty->Path(), true, {}});
        }
        for (Subject& yardstick : yardsticks(L"")) {
            profile.push_back(yardstick);
            firstStart.push_back(yardstick);
        }
        const std::string title =
            "start-up to the visible main window, settings file " + std::to_string(groups) + " groups x 20 buttons";
        bool ok = Compare(title.c_str(), profile, 2, runs, true);
        ok = Compare("first start: a program folder holding only the program", firstStart, 2, runs, false) && ok;

        MeasureParse(*programs[0].profile / settingsName, runs);

        std::printf("\nclicks on the buttons of the shown group page, %d each after a warm-up\n", runs);
        const Subject clickYardstick = yardsticks(launched)[1];
        for (size_t i = 0; i < programs.size(); ++i)
            ok = CompareClicks(profile[i], clickYardstick, launchedLog, runs) && ok;

        // The documents the report's buttons open: a program first in each group, then files of a few types.
        const auto documentOf = [&](int id) {
            static const char* const types[] = {"txt", "ini", "xml", "bmp"};
            if (id % 100 == 1) return Narrow(launched);
            const std::wstring document = root / Widen("Button " + std::to_string(id) + "." + types[id % 4]);
            if (GetFileAttributesW(document.c_str()) == INVALID_FILE_ATTRIBUTES) WriteFileBytes(document, "");
            return Narrow(document);
        };
        const std::string reportProfile = tavrin::bench::SettingsProfile(groups, icons.path, documentOf, icons.count);
        std::vector<std::wstring> settingsPaths;
        for (const Tavrin& tavrin : programs) settingsPaths.push_back(*tavrin.profile / settingsName);
        const Subject bareDialog{"bare dialog",
                                 bareControls,
                                 L"/report " + std::to_wstring(groups * tavrin::kSlotsPerGroup),
                                 L"TavrinBareWindow",
                                 root.Path(),
                                 false,
                                 {}};
        ok = CompareReports(
                 std::vector<Subject>(profile.begin(), profile.begin() + static_cast<std::ptrdiff_t>(programs.size())),
                 settingsPaths, reportProfile, bareDialog, groups, runs) &&
             ok;
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
