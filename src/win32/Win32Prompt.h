// The stores' Yes/No questions as message boxes.
#pragma once

#include <windows.h>

#include "storage/UserPrompt.h"

namespace tavrin {

class Win32Prompt : public IUserPrompt {
public:
    explicit Win32Prompt(HWND owner = nullptr) noexcept : owner_(owner) {}
    void SetOwner(HWND owner) noexcept { owner_ = owner; }

    // A modal Yes/No box with a question icon, titled "Tavrin".
    bool AskYesNo(const std::string& text) override;

private:
    HWND owner_;
};

}  // namespace tavrin
