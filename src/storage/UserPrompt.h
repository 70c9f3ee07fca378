// Questions the stores ask the user: a Yes/No message box with a question icon
// titled "Tavrin" on Windows; tests answer them.
#pragma once

#include <string>

namespace tavrin {

class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    // True when the user answers Yes.
    [[nodiscard]] virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace tavrin
