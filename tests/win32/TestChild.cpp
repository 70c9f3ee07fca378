// A small program that tests start through the shell. It writes a marker file
// and ends. The marker's path is its first argument, or, when it has none,
// the environment variable TAVRIN_TEST_CHILD_MARKER. The marker holds, in
// UTF-8, one line per item:
//   cwd=<current folder>
//   show=<show command it was started with>
//   arg=<argument>        (one line per argument after the marker's path)
// It is written beside the marker under a temporary name and renamed, so a
// test that sees the marker sees all of it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

std::wstring MarkerFromEnvironment() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableW(L"TAVRIN_TEST_CHILD_MARKER", buffer, MAX_PATH * 4);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(buffer, length) : std::wstring{};
}

bool WriteMarker(const std::wstring& marker, const std::string& content) {
    const std::wstring temporary = marker + L".tmp";
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    CloseHandle(file);
    return ok && MoveFileExW(temporary.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return 1;
    int first = 1;
    std::wstring marker = MarkerFromEnvironment();
    if (count > 1) marker = arguments[first++];
    std::string content = "cwd=" + Utf8(CurrentFolder()) + "\n";
    content += "show=" + std::to_string(showCommand) + "\n";
    for (int i = first; i < count; ++i) content += "arg=" + Utf8(arguments[i]) + "\n";
    LocalFree(arguments);
    if (marker.empty()) return 2;
    return WriteMarker(marker, content) ? 0 : 3;
}
