// Answers every Yes/No question with the answer the test set, and keeps the
// questions asked.
#pragma once

#include <string>
#include <vector>

#include "storage/UserPrompt.h"

namespace tavrin::testing {

class FakePrompt : public IUserPrompt {
public:
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }

    bool answer = true;
    std::vector<std::string> questions;
};

}  // namespace tavrin::testing
