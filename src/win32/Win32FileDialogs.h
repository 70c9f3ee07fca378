// The save dialog of the exports, the file dialogs and plain messages of
// backup and restore, the open dialog of the other boxes and the shell's folder
// browser, as Windows shows them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "storage/SettingsBackup.h"

namespace tavrin {

// What a save dialog offers: the folder it opens in, the name it proposes,
// its file types as "text|pattern|text|pattern", and the extension added to a
// name typed without one (without the dot).
struct SaveFileChoice {
    std::string initialFolder;
    std::string proposedName;
    std::string filter;
    std::string defaultExtension;
    bool operator==(const SaveFileChoice&) const = default;
};

// The chosen full path, or nothing when the dialog was cancelled. It does not
// ask before a file is replaced.
[[nodiscard]] std::optional<std::string> ChooseSaveFileName(HWND owner, const SaveFileChoice& choice);

class Win32FileDialogs : public ISettingsFileDialogs {
public:
    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                              const std::string& proposedName) override;
    std::optional<std::string> ChooseOpenFile(const std::string& initialFolder) override;
    void ShowMessage(const std::string& text) override;

private:
    HWND owner_ = nullptr;
};

// The open dialog for one existing file. `filter` pairs names and patterns as
// the dialog takes them: L"Name\0*.ext\0...\0". The chosen path, or nothing.
[[nodiscard]] std::optional<std::string> ChooseExistingFile(HWND owner, const wchar_t* filter);

// The shell's folder browser under `title`: it returns file-system folders only,
// and lists files as well. The chosen item's path; nothing after Cancel or for an
// item without one. Initialises COM for the call and balances it.
[[nodiscard]] std::optional<std::string> BrowseForFolder(HWND owner, const std::wstring& title);

}  // namespace tavrin
