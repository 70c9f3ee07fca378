// The one fixture of the tests that open the main window in their own process:
// a program folder with alice's settings file, the real file system seen
// through the spy (which counts reads and saves), the real shell, scripted
// questions, a fixed date (a Monday of ISO week 50) and the file dialogs the
// test brings (by default none, with messages let through).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/NoFileDialogs.h"
#include "support/SpyFileSystem.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Win32Prompt.h"
#include "shell/Win32Shell.h"

namespace tavrin::testing {

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() : MainWindowFixture(noDialogs_) {}
    // dialogs: a member of the test class, made after this fixture; only its reference is kept here.
    explicit MainWindowFixture(ISettingsFileDialogs& dialogs)
        : services_{fs_, environment_, shell_, prompt_, clock_, dialogs}, dialogs_(dialogs) {
        InitWindowControls();
        UseRealScreen(environment_);
    }
    ~MainWindowFixture() override {
        window_.reset();
        // The quit message of a closed window must not end a later test's loop.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    [[nodiscard]] std::string SettingsPath() const { return folder_ / "TV_alice.xml"; }
    [[nodiscard]] std::string Saved() const { return ReadBytes(SettingsPath()); }

    // Opens the window on the settings file as it is, owned by a hidden tool
    // window as the program's is, and shows it.
    MainWindow& OpenWindow() {
        window_.reset();
        config_.emplace(fs_, environment_, dialogs_);
        owner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                     nullptr));
        window_ = std::make_unique<MainWindow>(services_, *config_, owner_.get());
        window_->Show();
        return *window_;
    }

    TempFolder folder_;
    FakeEnvironment environment_{folder_ / "tavrin.exe", "alice"};
    SpyFileSystem fs_;
    Win32Shell shell_;
    ScriptedPrompt<Win32Prompt> prompt_;
    FixedClock clock_{{2026, 12, 7}};
    MainWindowServices services_;
    std::optional<AppConfig> config_;
    unique_hwnd owner_;
    std::unique_ptr<MainWindow> window_;

private:
    NoFileDialogs noDialogs_{NoFileDialogs::Messages::Pass};
    ISettingsFileDialogs& dialogs_;
};

}  // namespace tavrin::testing
