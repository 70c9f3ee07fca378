#include "rules/GroupCountField.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(GroupCountFieldTest, OpensWithARowPerGroupAndRoomForTenOrForAllMadeBeyond) {
    EXPECT_EQ(OpenGroupCountField(3).rows, 3);
    EXPECT_EQ(OpenGroupCountField(3).maximum, 10);
    EXPECT_EQ(OpenGroupCountField(0).rows, 1);  // the grid keeps one row
    EXPECT_EQ(OpenGroupCountField(12).rows, 12);
    EXPECT_EQ(OpenGroupCountField(12).maximum, 12);
}

TEST(GroupCountFieldTest, DigitsAreHeldToTheLimitsAndOtherTextKeepsTheRowsShown) {
    EXPECT_EQ(GroupCountOfText("4", 2, 10), 4);
    EXPECT_EQ(GroupCountOfText("0", 2, 10), 1);
    EXPECT_EQ(GroupCountOfText("0012", 2, 10), 10);
    EXPECT_EQ(GroupCountOfText("9999", 2, 12), 12);
    EXPECT_EQ(GroupCountOfText("", 3, 10), 3);
    EXPECT_EQ(GroupCountOfText("10000", 3, 10), 3);  // five digits
    EXPECT_EQ(GroupCountOfText("-1", 3, 10), 3);
    EXPECT_EQ(GroupCountOfText(" 5", 3, 10), 3);
    EXPECT_EQ(GroupCountOfText("\xD9\xA5", 3, 10), 3);  // an Arabic-Indic five is no digit here
}

}  // namespace
}  // namespace tavrin
