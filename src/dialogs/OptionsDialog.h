// The options dialog: the application settings on two pages, "General" and
// "Tabsheet", and four actions that take effect at once: a shortcut to the
// program on the desktop or in the Start menu, and backup and restore of the
// settings file.
#pragma once

#include <windows.h>

#include <functional>

#include "rules/HotKeyText.h"
#include "storage/AppSettings.h"
#include "storage/Environment.h"
#include "storage/UserPrompt.h"

namespace tavrin {

struct OptionsServices {
    AppSettings& settings;
    IEnvironment& environment;             // the running program, which the shortcuts start
    const IKeyNameSource& keyNames;        // for the text form of the hot key
    IUserMessages& messages;               // "Backup done."
    std::function<bool()> backupSettings;  // true when a backup was made
    std::function<void()> restoreSettings;
};

// Shows the dialog over owner with the settings as they are. After OK the
// settings hold the new values and have been saved (true); after Cancel they
// are untouched (false). The shortcuts, the backup and the restore stay
// whichever way the dialog ends.
[[nodiscard]] bool ShowOptionsDialog(HWND owner, const OptionsServices& services);

}  // namespace tavrin
