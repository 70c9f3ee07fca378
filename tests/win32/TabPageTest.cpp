// The page hit-tests the mouse for its windowless cells: which cell gets which
// event, the capture between the left button's down and up and its loss, the
// hint of the cell under the pointer, and the pictures made on the first paint.
#include "app/TabPage.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "win32/UniqueResource.h"

namespace tavrin {
namespace {

using Event = ButtonCell::Event;

class TabPageTest : public ::testing::Test {
protected:
    TabPageTest() {
        SetWindowPos(page_.Handle(), nullptr, 0, 0, 200, 80, SWP_NOZORDER | SWP_NOACTIVATE);
        first_ = &Add(0, 0);
        second_ = &Add(40, 0);  // a gap of six pixels from x = 34 on
    }

    ButtonCell& Add(int left, int top) {
        return page_.AddCell({left, top, 34, 34}, 32, 0,
                             [this](ButtonCell& cell, Event event) { events_.emplace_back(&cell, event); });
    }

    void Send(UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageW(page_.Handle(), message, keys, MAKELPARAM(x, y));
    }

    // The events and the cells whose hint was shown (null: none) since the last call.
    std::vector<std::pair<ButtonCell*, Event>> Events() { return std::exchange(events_, {}); }
    std::vector<const ButtonCell*> Hints() { return std::exchange(hints_, {}); }

    unique_hwnd parent_{
        CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr)};
    TabPage page_{parent_.get(),
                  {.hint = [this](const ButtonCell* cell) { hints_.push_back(cell); },
                   .emptyAreaPressed = [this] { ++emptyAreaPresses_; },
                   .key =
                       [this](UINT message, WPARAM key, LPARAM) {
                           keys_.emplace_back(message, key);
                           return key != 'x';
                       }}};
    std::vector<std::pair<UINT, WPARAM>> keys_;
    std::vector<std::pair<ButtonCell*, Event>> events_;
    std::vector<const ButtonCell*> hints_;
    int emptyAreaPresses_ = 0;
    ButtonCell* first_ = nullptr;
    ButtonCell* second_ = nullptr;
};

using Seen = std::vector<std::pair<ButtonCell*, Event>>;
using Hinted = std::vector<const ButtonCell*>;

TEST_F(TabPageTest, LeftButtonClicksTheCellItWentDownOn) {
    Send(WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), page_.Handle());
    Send(WM_LBUTTONUP, 50, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Events(), (Seen{{second_, Event::LeftDown}, {second_, Event::MouseUp}, {second_, Event::Click}}));

    // Released over another cell: the pressed cell comes up but is not clicked.
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 50, 10);
    EXPECT_EQ(Events(), (Seen{{first_, Event::LeftDown}, {first_, Event::MouseUp}}));

    // The one-pixel frame is the panel: a click there is a FrameClick only.
    Send(WM_LBUTTONDOWN, 0, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 33, 10);
    EXPECT_EQ(Events(), (Seen{{first_, Event::FrameClick}}));
    Send(WM_LBUTTONDOWN, 0, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 10, 10);                // from the frame onto the picture: nothing
    Send(WM_LBUTTONDOWN, 36, 10, MK_LBUTTON);  // between the cells: only the page hears it, no capture
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_LBUTTONUP, 36, 10);
    EXPECT_EQ(Events(), Seen{});
    EXPECT_EQ(emptyAreaPresses_, 1);
}

TEST_F(TabPageTest, ADoubleClickIsOneClickAndALostCaptureNone) {
    Send(WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 50, 10);
    Send(WM_LBUTTONDBLCLK, 50, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP, 50, 10);
    EXPECT_EQ(Events(), (Seen{{second_, Event::LeftDown}, {second_, Event::MouseUp}, {second_, Event::Click}}));

    // Another window takes the capture mid-press (Alt+Tab): the cell comes up, the release clicks nothing.
    Send(WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    SetCapture(parent_.get());
    ReleaseCapture();
    Send(WM_LBUTTONUP, 50, 10);
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(Events(), (Seen{{second_, Event::LeftDown},
                              {second_, Event::MouseUp},
                              {first_, Event::LeftDown},
                              {first_, Event::MouseUp}}));
}

TEST_F(TabPageTest, HintFollowsThePointerAndClearsOverEmptyAreaAndOutside) {
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_MOUSEMOVE, 6, 6);
    Send(WM_MOUSEMOVE, 36, 6);  // the gap
    Send(WM_MOUSEMOVE, 30, 6);
    Send(WM_MOUSEMOVE, 45, 6);
    EXPECT_EQ(Hints(), (Hinted{first_, nullptr, first_, second_}));

    SendMessageW(page_.Handle(), WM_MOUSELEAVE, 0, 0);
    Send(WM_MOUSEMOVE, 45, 6);
    EXPECT_EQ(Hints(), (Hinted{nullptr, second_}));

    // While the left button is held the pressed cell keeps the pointer.
    Send(WM_LBUTTONDOWN, 45, 6, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 5, 5, MK_LBUTTON);
    Send(WM_LBUTTONUP, 5, 5);
    Send(WM_MOUSEMOVE, 6, 5);
    EXPECT_EQ(Events(), (Seen{{second_, Event::LeftDown}, {second_, Event::MouseUp}}));
    EXPECT_EQ(Hints(), (Hinted{first_}));
}

TEST_F(TabPageTest, RightButtonReachesTheCellAndOpensItsContextMenu) {
    Send(WM_RBUTTONDOWN, 50, 10, MK_RBUTTON);
    Send(WM_RBUTTONUP, 50, 10);
    EXPECT_EQ(Events(), (Seen{{second_, Event::RightDown}, {second_, Event::MouseUp}, {second_, Event::ContextMenu}}));

    Send(WM_RBUTTONDOWN, 40, 10, MK_RBUTTON);  // the frame belongs to the cell: its menu acts on it
    Send(WM_RBUTTONUP, 40, 10);
    Send(WM_RBUTTONDOWN, 36, 10, MK_RBUTTON);  // the page itself: no cell event
    Send(WM_RBUTTONUP, 36, 10);
    EXPECT_EQ(emptyAreaPresses_, 1);
    EXPECT_EQ(Events(), (Seen{{second_, Event::RightDown}, {second_, Event::MouseUp}, {second_, Event::ContextMenu}}));
}

TEST_F(TabPageTest, PicturesAreMadeWhenTheirCellsAreFirstPaintedAndAgainAtANewSize) {
    std::vector<int> made;
    auto loader = [&made](int size) {
        made.push_back(size);
        return std::make_shared<const unique_hicon>(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    };
    ShowWindow(page_.Handle(), SW_SHOWNA);  // shown, but on a window that is hidden yet
    first_->SetPictureLoader(loader);
    second_->SetPictureLoader(loader);
    EXPECT_TRUE(first_->HasPicture());
    UpdateWindow(parent_.get());
    EXPECT_TRUE(made.empty());

    ShowWindow(parent_.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(parent_.get());
    EXPECT_EQ(made, (std::vector<int>{32, 32}));
    first_->SetLook(ButtonCell::Look::Pressed);
    UpdateWindow(page_.Handle());
    EXPECT_EQ(made.size(), 2u);  // once made, a picture stays

    first_->SetPlace({0, 0, 51, 51}, 48);  // the window moved to a monitor at 150 %
    UpdateWindow(page_.Handle());
    EXPECT_EQ(made, (std::vector<int>{32, 32, 48}));
    EXPECT_TRUE(first_->OnFrame({0, 25}));
    EXPECT_FALSE(first_->OnFrame({1, 25}));
    EXPECT_FALSE(first_->OnFrame({48, 48}));
    EXPECT_TRUE(first_->OnFrame({49, 25}));

    second_->SetPictureLoader({});
    EXPECT_FALSE(second_->HasPicture());
}

// Arrows move the focus without the listener hearing them; other keys and characters go to it.
TEST_F(TabPageTest, TheFocusFollowsArrowsAndPressesAndOtherKeysGoToTheListener) {
    EXPECT_EQ(page_.FocusedCell(), first_);
    SendMessageW(page_.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(page_.FocusedCell(), second_);
    EXPECT_TRUE(page_.FocusMovedByKeyboard());
    SendMessageW(page_.Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(page_.FocusedCell(), first_);
    Send(WM_RBUTTONDOWN, 50, 10, MK_RBUTTON);
    EXPECT_EQ(page_.FocusedCell(), second_);
    EXPECT_EQ(SendMessageW(page_.Handle(), WM_KEYDOWN, VK_RETURN, 0), 0);
    SendMessageW(page_.Handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(keys_, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 'x'}}));
}

}  // namespace
}  // namespace tavrin
