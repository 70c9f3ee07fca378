// The platform services the main window works with. The program passes the
// Win32 ones; component tests pass their own file dialogs and environment.
#pragma once

#include "shell/Win32Shell.h"
#include "storage/Clock.h"
#include "storage/Environment.h"
#include "storage/SettingsBackup.h"
#include "win32/Win32Prompt.h"
#include "xml/FileSystem.h"

namespace tavrin {

struct MainWindowServices {
    IFileSystem& fs;
    IEnvironment& environment;
    Win32Shell& shell;
    Win32Prompt& prompt;
    IClock& clock;
    ISettingsFileDialogs& dialogs;
};

}  // namespace tavrin
