// Questions the stores ask the user and what they tell: message boxes titled
// "Tavrin" on Windows; tests answer and keep them.
#pragma once

#include <string>

namespace tavrin {

class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    // True when the user answers Yes.
    [[nodiscard]] virtual bool AskYesNo(const std::string& text) = 0;
};

class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    // A plain message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace tavrin
