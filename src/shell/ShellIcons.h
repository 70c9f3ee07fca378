// The icons of files: those an executable, library or icon file holds, and the
// shell's icon for any other file or folder.
#pragma once

#include <string>

#include "win32/UniqueResource.h"

namespace tavrin {

// The number of icons in an executable, library or icon file; 0 for any other file.
[[nodiscard]] int GetIconCount(const std::string& fileName);

// The shell's icon for the file or folder from the system image list that
// fits `size` pixels (32, 48 or 256, drawn smaller where needed); empty on failure.
[[nodiscard]] unique_hicon GetShellIcon(const std::string& fileName, int size);

// Image `image` of the system image lists, as the shell's file information
// names it, at `size` pixels; empty on failure.
[[nodiscard]] unique_hicon GetSystemImageIcon(int image, int size);

// The icon at index in the file (the last one for an index beyond them) made
// from the image of that icon that fits `size` best, or the shell's icon when
// the file holds none or index is negative.
[[nodiscard]] unique_hicon GetFileIcon(const std::string& fileName, int index, int size);

// The system's warning icon at `size` pixels, the mark of a button whose
// target is gone; empty on failure.
[[nodiscard]] unique_hicon GetWarningIcon(int size);

}  // namespace tavrin
