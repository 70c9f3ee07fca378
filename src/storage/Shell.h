// What the stores and the launcher ask of the Windows shell: shortcut files,
// canonical paths, type names and icons of files, and the execute request
// through which every start goes. The Win32 implementation is in src/shell.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "xml/FileSystem.h"

namespace tavrin {

// What a shortcut file holds. Text is UTF-8.
struct ShellLinkInfo {
    std::string Path;        // target path as the shortcut reports it (UNC form preferred)
    bool HasIDList = false;  // the target resolved to an item ID list: the read succeeded
    std::string WorkingDirectory;
    std::string Arguments;
    std::string Description;
    std::string IconLocation;  // Path when the shortcut names no icon file
    std::int32_t IconIndex = 0;
    std::uint16_t HotKey = 0;    // virtual key in the low byte, modifier flags in the high byte
    std::uint8_t ShowState = 0;  // 0 normal, 1 minimized, 2 maximized
};

// Windows show commands that the program uses.
enum ShowCommand : int {
    kShowHide = 0,
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowCurrent = 5,
    kShowMinNoActive = 7,
    kShowForceMinimize = 11,  // the highest show command Windows knows
};

// Converts a shortcut's show command into its show state, and a show state
// into the show command with which the shortcut is opened.
[[nodiscard]] std::uint8_t ShowStateFromShowCommand(int showCommand) noexcept;
[[nodiscard]] int ShowCommandFromShowState(std::uint8_t showState) noexcept;
// A button's stored WindowStyle as the show command of its start: a value
// that is no show command (the -1 the properties box writes when no window
// state is selected) starts the window normally.
[[nodiscard]] int ShowCommandOfWindowStyle(int windowStyle) noexcept;

// Which window owns a start: the program's own (hidden) window or the desktop.
enum class ExecuteOwner { Application, Desktop };

// One execute request; an empty optional is "none" (a null pointer to the shell).
struct ExecuteRequest {
    ExecuteOwner owner = ExecuteOwner::Application;
    std::optional<std::string> verb;  // "open", "explore", or none for the default action
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showCommand = kShowNormal;
    bool operator==(const ExecuteRequest&) const = default;
};

// The program's own requests: open a file or address with the given parameters
// and working folder, owned by the program's window; open a folder in the
// shell's explorer view, owned by the desktop.
[[nodiscard]] ExecuteRequest OpenRequest(std::string file, std::optional<std::string> parameters = "",
                                         std::optional<std::string> directory = "", int showCommand = kShowNormal);
[[nodiscard]] ExecuteRequest ExploreRequest(std::string folder, int showCommand = kShowNormal);

// What the shell shows for a file: its type name and its icon's index in the
// system image list (-1 when it has none).
struct ShellFileInfo {
    std::string typeName;
    int systemIconIndex = -1;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Reads a shortcut file; false when it is not one with link information
    // whose target resolves (info is then untouched or cleared).
    [[nodiscard]] virtual bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info) = 0;
    // The full path in the shell's canonical long form; the plain full path
    // when the shell cannot parse it.
    [[nodiscard]] virtual std::string GetCanonicalPath(const std::string& path) = 0;
    [[nodiscard]] virtual ShellFileInfo GetFileInfo(const std::string& path) = 0;
    // Hands the request to the shell and returns at once: true when the shell
    // accepted it. A refusal is the shell's answer, never an exception.
    [[nodiscard]] virtual bool Execute(const ExecuteRequest& request) noexcept = 0;
};

// The shell's information for many files, each kind asked for once: the
// existing files of one extension share their type name and icon, but the
// files whose icon is their own (programs, icons, cursors, shortcuts, screen
// savers, control panel items) are asked for one by one, as are folders and
// names of nothing.
class ShellFileInfoCache {
public:
    ShellFileInfoCache(IShell& shell, IFileSystem& fs) : shell_(shell), fs_(fs) {}
    [[nodiscard]] ShellFileInfo Get(const std::string& path);

private:
    IShell& shell_;
    IFileSystem& fs_;
    std::map<std::string, ShellFileInfo> byExtension_;  // lower-case, with the dot
    std::map<std::string, ShellFileInfo> byPath_;
};

// Opens a shortcut file through the shell, which applies what the shortcut
// holds, with the shortcut's show state. A refused request is not reported.
void OpenShortcut(IShell& shell, const std::string& linkFile);

// Opens a folder in the shell's explorer view, owned by the desktop: the path
// itself when it is a folder, else the folder it lies in. A refused request is
// not reported.
void ExploreFolderOf(IShell& shell, IFileSystem& fs, const std::string& path);

}  // namespace tavrin
