#include "win32/Win32Prompt.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// Answers the next message box titled "Tavrin" with the button answer, after
// checking that it has both Yes and No; reports what it found.
struct Answerer {
    explicit Answerer(int answer) : answer(answer) {}
    int answer;
    bool foundYesAndNo = false;
    std::wstring text;
    HWND owner = nullptr;

    void operator()() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (const HWND box = FindWindowW(L"#32770", L"Tavrin")) {
                foundYesAndNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
                wchar_t buffer[256] = {};
                GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the static text of a message box
                text = buffer;
                owner = GetWindow(box, GW_OWNER);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
};

TEST(Win32PromptTest, AsksYesOrNoInABoxTitledTavrin) {
    Win32Prompt prompt;
    const std::string question = "Replace \xD0\xBA\xD0\xBD\xD0\xBE\xD0\xBF\xD0\xBA\xD0\xB0?";
    for (const int answer : {IDYES, IDNO}) {
        Answerer answerer{answer};
        std::thread thread(std::ref(answerer));
        const bool yes = prompt.AskYesNo(question);
        thread.join();
        EXPECT_TRUE(answerer.foundYesAndNo);
        EXPECT_EQ(Narrow(answerer.text), question);
        EXPECT_EQ(yes, answer == IDYES);
    }
}

// A dialog open over the owner (the options) waits for the answer as well.
TEST(Win32PromptTest, AsksOverTheDialogTheOwnerHasOpen) {
    const unique_hwnd owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                            nullptr, nullptr, nullptr));
    const unique_hwnd dialog(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 150, 150, 200, 100, owner.get(),
                                             nullptr, nullptr, nullptr));
    SetActiveWindow(dialog.get());
    Win32Prompt prompt(owner.get());
    Answerer answerer{IDNO};
    std::thread thread(std::ref(answerer));
    EXPECT_FALSE(prompt.AskYesNo("Sure?"));
    thread.join();
    EXPECT_EQ(answerer.owner, dialog.get());
}

}  // namespace
}  // namespace tavrin
