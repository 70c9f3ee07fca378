// A program "installed" in a test folder, run by a user the test chooses on a
// screen of a size it chooses; the Run value is kept in memory.
#pragma once

#include <map>
#include <string>

#include "storage/Environment.h"

namespace tavrin::testing {

class FakeEnvironment : public IEnvironment {
public:
    FakeEnvironment(std::string executablePath, std::string userName)
        : executablePath_(std::move(executablePath)), userName_(std::move(userName)) {}
    std::string ExecutablePath() override { return executablePath_; }
    std::string UserName() override { return userName_; }
    int ScreenWidth() override { return screenWidth; }
    int WorkAreaHeight() override { return workAreaHeight; }
    bool SetRunAtLogonValue(const std::string& name, const std::optional<std::string>& data) override {
        if (!runKeyAvailable) return false;
        if (data) {
            runValues[name] = *data;
        } else {
            runValues.erase(name);
        }
        return true;
    }

    int screenWidth = 1280;
    int workAreaHeight = 994;
    bool runKeyAvailable = true;
    std::map<std::string, std::string> runValues;

private:
    std::string executablePath_;
    std::string userName_;
};

}  // namespace tavrin::testing
