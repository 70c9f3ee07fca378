// The running program and its user, as Windows tells them.
#pragma once

#include "storage/Environment.h"

namespace tavrin {

class Win32Environment : public IEnvironment {
public:
    std::string ExecutablePath() override;
    std::string UserName() override;
};

}  // namespace tavrin
