// Start-up time of tavrin.exe against a bare Win32 window program: each is
// started N times (CreateProcessW) from a program folder holding a settings
// file of 10 groups × 20 buttons, timed from the call to CreateProcessW until
// its main window is visible, asked for its working set, and closed with
// WM_CLOSE. The runs of the two programs alternate, so that both see the same
// load of the machine; the first run of each is a warm-up and not counted.
//
// Build and run (cross build, under Wine and Xvfb):
//   cmake --preset mingw && cmake --build --preset mingw --target tavrin_startup_bench
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/mingw/wine-run.sh build/mingw/bench/startup/tavrin_startup_bench.exe
//   (an optional argument gives the number of runs, default 20)
//   WINEPREFIX=build/mingw/wineprefix wineserver -k
// On Windows, run tavrin_startup_bench.exe of the build folder directly.
//
// How often the program parses its settings file during start-up cannot be
// seen from outside; that it is once is shown by the unit tests of the stores
// (the document layer counts parses, and an unchanged file is not parsed again).
#include <windows.h>
#include <lmcons.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/ButtonFiles.h"
#include "win32/Utf16.h"

namespace {

using tavrin::Narrow;
using tavrin::Widen;

constexpr int kGroups = 10;
constexpr int kSlots = 20;
constexpr DWORD kWindowTimeoutMs = 30000;

struct Sample {
    double startMs;
    double workingSetMiB;
};

struct Subject {
    const char* name;
    std::wstring program;  // the copy in the program folder
    const wchar_t* windowClass;
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

// The build passes Unix paths; under Wine the root of the Unix file system is drive Z:.
std::wstring WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return Widen(path);
}

std::string CurrentUser() {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    return GetUserNameW(name, &size) ? Narrow(std::wstring_view(name, size - 1)) : std::string();
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

// Ten groups of twenty launch buttons, each with an icon from an existing
// file and a count, and a full recent list: a well-used settings file.
std::string SettingsFile(const std::string& iconFile) {
    std::string groups;
    std::string buttons;
    for (int group = 1; group <= kGroups; ++group) {
        groups += "\r\n\t\t<Item ID=\"" + std::to_string(group) + "\" Value=\"Group " + std::to_string(group) + "\"/>";
        for (int slot = 1; slot <= kSlots; ++slot) {
            const int id = group * 100 + slot;
            buttons += tavrin::testing::ButtonXml(id, {{"IconFile", iconFile},
                                                       {"Command", "C:\\windows\\notepad.exe"},
                                                       {"Description", "Button " + std::to_string(id)},
                                                       {"TotolRunTimes", std::to_string((id * 37) % 101)}});
        }
    }
    std::string recent;
    for (int k = 1; k <= 6; ++k) {
        recent += "\r\n\t\t<Item ID=\"" + std::to_string(k) + "\" Value=\"" + std::to_string(100 * k + k) + "\"/>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups Count=\"" + std::to_string(kGroups) +
           "\">" + groups + "\r\n\t</Groups>\r\n\t<Last6Buttons>" + recent + "\r\n\t</Last6Buttons>\r\n\t<Buttons>" +
           buttons + "\r\n\t</Buttons>\r\n</GLConfig>";
}

// A program folder of its own under the temporary folder, removed with its files.
class ProgramFolder {
public:
    ProgramFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"tavrin-startup-bench-" + std::to_wstring(GetCurrentProcessId());
        if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create the program folder");
    }
    ~ProgramFolder() {
        WIN32_FIND_DATAW entry;
        const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                DeleteFileW((path_ + L"\\" + entry.cFileName).c_str());
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    [[nodiscard]] std::wstring operator/(const wchar_t* name) const { return path_ + L"\\" + name; }
    [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }

private:
    std::wstring path_;
};

std::wstring CopyInto(const ProgramFolder& folder, const std::wstring& program, const wchar_t* name) {
    const std::wstring copy = folder / name;
    if (!CopyFileW(program.c_str(), copy.c_str(), FALSE)) throw std::runtime_error("cannot copy " + Narrow(program));
    return copy;
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

std::optional<Sample> RunOnce(const Subject& subject, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + subject.program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info)) {
        throw std::runtime_error(std::string("cannot start ") + subject.name);
    }
    CloseHandle(info.hThread);
    HWND window = nullptr;
    LARGE_INTEGER now = started;
    while (!(window = VisibleWindowOf(info.dwProcessId, subject.windowClass)) &&
           Milliseconds(started, now) < kWindowTimeoutMs && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        Sleep(1);  // the program under test needs the processor more than this loop does
        QueryPerformanceCounter(&now);
    }
    QueryPerformanceCounter(&now);
    std::optional<Sample> sample;
    if (window) {
        WaitForInputIdle(info.hProcess, 5000);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
        sample = Sample{Milliseconds(started, now), static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0)};
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "%s showed no window\n", subject.name);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s did not close; stopped\n", subject.name);
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    return sample;
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

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    try {
        const ProgramFolder folder;
        const std::wstring tavrin = CopyInto(folder, WindowsPath(TAVRIN_EXE), L"tavrin.exe");
        WriteFileBytes(folder / Widen("TV_" + CurrentUser() + ".xml").c_str(), SettingsFile(Narrow(tavrin)));
        Subject subjects[] = {
            {"tavrin.exe", tavrin, L"TfrmTavrin", {}},
            {"bare_window.exe",
             CopyInto(folder, WindowsPath(BARE_WINDOW_EXE), L"bare_window.exe"),
             L"TavrinBareWindow",
             {}},
        };
        for (Subject& subject : subjects) RunOnce(subject, folder.Path());  // warm-up
        for (int run = 0; run < runs; ++run) {
            for (Subject& subject : subjects) {
                if (const auto sample = RunOnce(subject, folder.Path())) subject.samples.push_back(*sample);
            }
        }
        std::printf("start-up to visible main window, %d runs each, settings file %d groups x %d buttons\n", runs,
                    kGroups, kSlots);
        std::printf("%-16s %12s %12s %18s\n", "program", "median ms", "min ms", "working set MiB");
        for (const Subject& subject : subjects) {
            std::printf("%-16s %12.1f %12.1f %18.1f\n", subject.name, MedianOf(subject, &Sample::startMs),
                        MinimumOf(subject, &Sample::startMs), MedianOf(subject, &Sample::workingSetMiB));
        }
        const double bare = MedianOf(subjects[1], &Sample::startMs);
        const double ratio = bare > 0 ? MedianOf(subjects[0], &Sample::startMs) / bare : 0;
        std::printf("ratio tavrin / bare (medians): %.2f\n", ratio);
        return subjects[0].samples.empty() || subjects[1].samples.empty() ? 1 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
