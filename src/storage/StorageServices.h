// The platform services the stores work with, handed to each store when it is
// made. The program passes the Win32 implementations, tests their fakes.
#pragma once

#include <string>

#include "storage/Clock.h"
#include "storage/Environment.h"
#include "storage/Shell.h"
#include "storage/UserPrompt.h"
#include "xml/FileSystem.h"

namespace tavrin {

struct StorageServices {
    IFileSystem& fs;
    IEnvironment& environment;
    IShell& shell;
    IUserPrompt& prompt;
    IClock& clock;
    std::string settingsFileName;  // full path of the current user's settings file
};

}  // namespace tavrin
