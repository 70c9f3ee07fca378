#include "rules/EdgeSnap.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kWorkAreaHeight = 984;  // a 1024-pixel screen above a 40-pixel taskbar
constexpr int kWidth = 354;
constexpr int kHeight = 160;
constexpr SnapArea kPrimary{0, 0, kScreenWidth, kWorkAreaHeight};

WindowPosition MoveTo(int left, int top) { return SnapToEdges({left, top, kWidth, kHeight}, kPrimary); }

TEST(EdgeSnapTest, NearEdgesStickWithinNineteenPixels) {
    EXPECT_EQ(MoveTo(5, 300), (WindowPosition{0, 300}));
    EXPECT_EQ(MoveTo(19, 19), (WindowPosition{0, 0}));
    EXPECT_EQ(MoveTo(20, 20), (WindowPosition{20, 20}));
    EXPECT_EQ(MoveTo(25, 300), (WindowPosition{25, 300}));
}

TEST(EdgeSnapTest, FarEdgesStickToScreenWidthAndWorkAreaBottom) {
    const int flushLeft = kScreenWidth - kWidth;
    const int flushTop = kWorkAreaHeight - kHeight;
    EXPECT_EQ(MoveTo(flushLeft - 10, 300).left, flushLeft);  // right edge 10 pixels inside
    EXPECT_EQ(MoveTo(flushLeft - 19, 300).left, flushLeft);
    EXPECT_EQ(MoveTo(flushLeft - 20, 300).left, flushLeft - 20);
    EXPECT_EQ(MoveTo(flushLeft, 300).left, flushLeft);  // exactly flush stays flush
    EXPECT_EQ(MoveTo(300, flushTop - 19).top, flushTop);
    EXPECT_EQ(MoveTo(300, flushTop - 20).top, flushTop - 20);
}

TEST(EdgeSnapTest, PositionsOutsideAreBroughtBack) {
    // The first-run default asks for the screen width and the work-area height.
    EXPECT_EQ(MoveTo(kScreenWidth, kWorkAreaHeight),
              (WindowPosition{kScreenWidth - kWidth, kWorkAreaHeight - kHeight}));
    EXPECT_EQ(MoveTo(-500, -40), (WindowPosition{0, 0}));
    EXPECT_EQ(MoveTo(5000, 5000), (WindowPosition{kScreenWidth - kWidth, kWorkAreaHeight - kHeight}));
}

TEST(EdgeSnapTest, ResultIsStableWhenTheWindowBarelyFits) {
    // A window wider than the screen, or within 19 pixels of its width, cannot
    // have both edges stuck; the near edge wins instead of an endless tug.
    for (const int width : {kScreenWidth + 30, kScreenWidth - 1, kScreenWidth - 19}) {
        for (const int left : {-100, 0, 10, 25, 600}) {
            const WindowPosition snapped = SnapToEdges({left, 300, width, kHeight}, kPrimary);
            EXPECT_EQ(snapped.left, 0) << "width " << width << ", left " << left;
            EXPECT_EQ(SnapToEdges({snapped.left, snapped.top, width, kHeight}, kPrimary), snapped);
        }
    }
    EXPECT_EQ(SnapToEdges({40, 300, kScreenWidth - 20, kHeight}, kPrimary).left, 20);
    EXPECT_EQ(SnapToEdges({40, 300, kScreenWidth, kHeight}, kPrimary).left, 0);
}

TEST(EdgeSnapTest, AWindowOnASecondMonitorSnapsToThatMonitor) {
    // A 1920-pixel monitor right of the primary one, its taskbar 40 pixels high.
    constexpr SnapArea second{kScreenWidth, -100, kScreenWidth + 1920, 980};
    EXPECT_EQ(SnapToEdges({kScreenWidth + 300, 200, kWidth, kHeight}, second),
              (WindowPosition{kScreenWidth + 300, 200}));
    EXPECT_EQ(SnapToEdges({kScreenWidth + 12, -90, kWidth, kHeight}, second), (WindowPosition{kScreenWidth, -100}));
    EXPECT_EQ(SnapToEdges({kScreenWidth + 1920 - kWidth - 5, 980 - kHeight - 5, kWidth, kHeight}, second),
              (WindowPosition{kScreenWidth + 1920 - kWidth, 980 - kHeight}));
}

}  // namespace
}  // namespace tavrin
