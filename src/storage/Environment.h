// What the stores need to know about the running program and its user.
#pragma once

#include <string>

namespace tavrin {

class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    // Full path of the running executable.
    [[nodiscard]] virtual std::string ExecutablePath() = 0;
    // The account name of the process; "" when the system cannot tell.
    [[nodiscard]] virtual std::string UserName() = 0;
};

}  // namespace tavrin
