// The properties box of a launch button: what it starts, with which parameters,
// working folder, description, window state and hot key, its icon, and whether
// the frequency report counts it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "rules/HotKeyText.h"
#include "storage/ButtonRecord.h"
#include "storage/Shell.h"
#include "xml/FileSystem.h"

namespace tavrin {

// What the box looks at: the files its fields name, the shortcuts among them,
// the keyboard layout's key names that turn the button's HotKey text into a
// key combination and back, and who holds a hot key: for the text of a new
// one, the line the box shows when the button cannot have it, empty when it
// can (unset: every hot key can be had).
struct PropertiesServices {
    IFileSystem& fs;
    IShell& shell;
    const IKeyNameSource& keyNames;
    std::function<std::string(const std::string& hotKeyText)> hotKeyRefusal;
};

// Edits a button record in the properties dialog owned by `owner`. Returns true when
// the user pressed OK; the record then holds the edited fields. IconFile/IconNumber
// may have changed even on Cancel (the caller writes the record only after OK).
[[nodiscard]] bool ShowButtonPropertiesDialog(HWND owner, ButtonRecord& record, const PropertiesServices& services);

}  // namespace tavrin
