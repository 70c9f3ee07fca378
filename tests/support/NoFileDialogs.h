// Settings-file dialogs in which the user chooses nothing. A message shown
// through them fails the test, unless the test lets messages pass.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "storage/SettingsBackup.h"

namespace tavrin::testing {

class NoFileDialogs : public ISettingsFileDialogs {
public:
    enum class Messages { Fail, Pass };
    explicit NoFileDialogs(Messages messages = Messages::Fail) : messages_(messages) {}

    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    void ShowMessage(const std::string& text) override {
        if (messages_ == Messages::Fail) ADD_FAILURE() << "unexpected message: " << text;
    }

private:
    Messages messages_;
};

}  // namespace tavrin::testing
