#include "e2e/ProgramUnderTest.h"

#include <stdexcept>

#include "support/WindowTesting.h"
#include "win32/Utf16.h"

namespace tavrin::testing {

std::string g_builtProgram;

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t text[256] = {};
    wchar_t className[256] = {};
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, className, 256);
    if (processId == search.processId && wcscmp(className, search.windowClass) == 0 &&
        wcscmp(text, search.caption) == 0 && IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(const TempFolder& folder) : programPath_(folder / "tavrin.exe") {
    if (!CopyFileW(Widen(g_builtProgram).c_str(), Widen(programPath_).c_str(), TRUE) &&
        GetLastError() != ERROR_FILE_EXISTS) {
        throw std::runtime_error("cannot copy " + g_builtProgram);
    }
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ && WaitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

void ProgramUnderTest::Start() {
    std::wstring commandLine = L"\"" + Widen(programPath_) + L"\"";
    wchar_t otherFolder[MAX_PATH];
    GetWindowsDirectoryW(otherFolder, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, otherFolder, &startup,
                        &info)) {
        throw std::runtime_error("cannot start " + programPath_ + ": " + SystemErrorText(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
}

HWND ProgramUnderTest::WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs) const {
    WindowSearch search{processId_, windowClass, caption, nullptr};
    (void)WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

std::string ProgramUnderTest::MessageBoxText() const {
    const HWND box = WaitForWindow(L"#32770", L"Tavrin", 0);
    wchar_t text[1024] = {};
    if (box) GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return Narrow(text);
}

DWORD ProgramUnderTest::WaitForExit(DWORD timeoutMs) const {
    WaitForSingleObject(process_.get(), timeoutMs);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &exitCode);
    return exitCode;
}

}  // namespace tavrin::testing
