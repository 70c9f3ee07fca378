// Answers every Yes/No question with the answer the test set, and keeps the
// questions asked. Base is the prompt interface, or the Win32 prompt for a
// window that gives the prompt its owner.
#pragma once

#include <string>
#include <vector>

#include "storage/UserPrompt.h"

namespace tavrin::testing {

template <typename Base>
class ScriptedPrompt : public Base {
public:
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }

    bool answer = true;
    std::vector<std::string> questions;
};

using FakePrompt = ScriptedPrompt<IUserPrompt>;

}  // namespace tavrin::testing
