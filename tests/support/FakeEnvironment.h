// A program "installed" in a test folder, run by a user the test chooses.
#pragma once

#include <string>

#include "storage/Environment.h"

namespace tavrin::testing {

class FakeEnvironment : public IEnvironment {
public:
    FakeEnvironment(std::string executablePath, std::string userName)
        : executablePath_(std::move(executablePath)), userName_(std::move(userName)) {}
    std::string ExecutablePath() override { return executablePath_; }
    std::string UserName() override { return userName_; }

private:
    std::string executablePath_;
    std::string userName_;
};

}  // namespace tavrin::testing
