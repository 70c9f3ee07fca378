#include "win32/Win32FileSystem.h"
#include "support/TestFileSystem.h"

namespace tavrin::testing {

IFileSystem& TestFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace tavrin::testing
