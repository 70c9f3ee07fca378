// Keeps the messages the code under test shows, in their order.
#pragma once

#include <string>
#include <vector>

#include "storage/UserPrompt.h"

namespace tavrin::testing {

struct KeptMessages : IUserMessages {
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

}  // namespace tavrin::testing
