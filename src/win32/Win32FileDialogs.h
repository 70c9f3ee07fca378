// The file dialogs and plain messages of backup and restore, as Windows shows them.
#pragma once

#include <windows.h>

#include "storage/SettingsBackup.h"

namespace tavrin {

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

}  // namespace tavrin
