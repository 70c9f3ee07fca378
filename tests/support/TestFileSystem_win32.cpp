#include "support/TestFileSystem.h"
#include "win32/Win32FileSystem.h"

namespace tavrin::testing {

IFileSystem& TestFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace tavrin::testing
