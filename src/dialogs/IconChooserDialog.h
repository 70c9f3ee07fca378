// The box in which the icon of a button is chosen: a file that holds icons, or
// any file whose shell icon is to be shown, and the number of the icon in it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "xml/FileSystem.h"

namespace tavrin {

struct IconChoice {
    std::string file;
    int number = 0;  // counted from 0, as the button stores it
};

// Shows the box with the file and the icon's number filled in; the choice after
// OK, nothing after Cancel. The box counts icons from 1; a file without icons of
// its own comes back with number -1, which stands for its shell icon.
[[nodiscard]] std::optional<IconChoice> ShowIconChooserDialog(HWND owner, IFileSystem& fs, const IconChoice& current);

}  // namespace tavrin
