// What the stores need to know about the running program, its user and the
// screen, and the one registry value they write.
#pragma once

#include <optional>
#include <string>

namespace tavrin {

class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    // Full path of the running executable.
    [[nodiscard]] virtual std::string ExecutablePath() = 0;
    // The account name of the process; "" when the system cannot tell.
    [[nodiscard]] virtual std::string UserName() = 0;
    // Width of the primary screen and height of its work area (the screen
    // without the taskbar), in pixels.
    [[nodiscard]] virtual int ScreenWidth() = 0;
    [[nodiscard]] virtual int WorkAreaHeight() = 0;
    // Writes the string value name under the current user's Run key (the
    // programs started at logon), or deletes it when data is empty. False when
    // the key cannot be opened or created.
    virtual bool SetRunAtLogonValue(const std::string& name, const std::optional<std::string>& data) = 0;
};

}  // namespace tavrin
