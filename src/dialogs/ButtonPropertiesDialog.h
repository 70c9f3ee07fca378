// The properties box of a launch button: what it starts, with which parameters,
// working folder, description and window state, its icon, and whether the
// frequency report counts it.
#pragma once

#include <windows.h>

#include "rules/HotKeyText.h"
#include "storage/ButtonRecord.h"
#include "storage/Shell.h"
#include "xml/FileSystem.h"

namespace tavrin {

// What the box looks at: the files its fields name, the shortcuts among them,
// and the keyboard layout's key names that turn the button's HotKey text into a
// key combination and back.
struct PropertiesServices {
    IFileSystem& fs;
    IShell& shell;
    const IKeyNameSource& keyNames;
};

// Edits a button record in the properties dialog owned by `owner`. Returns true when
// the user pressed OK; the record then holds the edited fields. IconFile/IconNumber
// may have changed even on Cancel (the caller writes the record only after OK).
[[nodiscard]] bool ShowButtonPropertiesDialog(HWND owner, ButtonRecord& record, const PropertiesServices& services);

}  // namespace tavrin
