// The running program, its user and the screen, as Windows tells them.
#pragma once

#include "storage/Environment.h"

namespace tavrin {

class Win32Environment : public IEnvironment {
public:
    std::string ExecutablePath() override;
    std::string UserName() override;
    int ScreenWidth() override;
    int WorkAreaHeight() override;
    bool SetRunAtLogonValue(const std::string& name, const std::optional<std::string>& data) override;
};

}  // namespace tavrin
