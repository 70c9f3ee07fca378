#include "support/PosixFileSystem.h"
#include "support/TestFileSystem.h"

namespace tavrin::testing {

IFileSystem& TestFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace tavrin::testing
