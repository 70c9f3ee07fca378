// The platform services of a store in a test: the real file system behind a
// spy, and fakes for everything else.
#pragma once

#include <string>

#include "storage/StorageServices.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FakeShell.h"
#include "support/FixedClock.h"
#include "support/SpyFileSystem.h"

namespace tavrin::testing {

struct FakeStorageServices {
    explicit FakeStorageServices(std::string settingsFileName)
        : services{fs, environment, shell, prompt, clock, std::move(settingsFileName)} {}
    FakeStorageServices(const FakeStorageServices&) = delete;
    FakeStorageServices& operator=(const FakeStorageServices&) = delete;

    SpyFileSystem fs;
    FakeEnvironment environment{"tavrin.exe", "user"};
    FakeShell shell;
    FakePrompt prompt;
    FixedClock clock;
    StorageServices services;
};

}  // namespace tavrin::testing
