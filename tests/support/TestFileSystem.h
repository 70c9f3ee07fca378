// The file system the tests of the core run against: POSIX natively, Win32
// when the tests are built for Windows.
#pragma once

#include "xml/FileSystem.h"

namespace tavrin::testing {

[[nodiscard]] IFileSystem& TestFileSystem();

}  // namespace tavrin::testing
