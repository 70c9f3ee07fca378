#include "rules/IconIndexField.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// The field as the chooser opens it for a stored icon number: the file is set
// first, then the number counted from 1.
IconIndexField Opened(std::optional<int> iconCount, int iconNumber) {
    IconIndexField field;
    ApplyIconFile(field, iconCount);
    field.Set(iconNumber + 1);
    return field;
}

TEST(IconIndexFieldTest, OpeningHoldsTheStoredNumberToTheFilesIcons) {
    const IconIndexField five = Opened(5, 2);
    EXPECT_EQ(five.value, 3);
    EXPECT_EQ(five.maximum, 5);
    EXPECT_TRUE(five.enabled);
    EXPECT_EQ(Opened(3, 7).value, 3);
    const IconIndexField one = Opened(1, 0);
    EXPECT_EQ(one.value, 1);
    EXPECT_FALSE(one.enabled);
    // No icons of its own: minimum 1 above maximum 0 makes any value 0, the shell's icon.
    const IconIndexField none = Opened(0, 0);
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.maximum, 0);
    EXPECT_FALSE(none.enabled);
}

TEST(IconIndexFieldTest, AnotherFileStartsAgainAtTheFirstIconOnlyWhenItHasFewer) {
    IconIndexField field = Opened(8, 4);
    ASSERT_EQ(field.value, 5);
    ApplyIconFile(field, 6);
    EXPECT_EQ(field.value, 5);
    ApplyIconFile(field, 2);
    EXPECT_EQ(field.value, 1);
    EXPECT_EQ(field.maximum, 2);
    // A name that leads to no file shows index 1 of 1, even after a file without icons.
    ApplyIconFile(field, 0);
    ASSERT_EQ(field.value, 0);
    ApplyIconFile(field, std::nullopt);
    EXPECT_EQ(field.value, 1);
    EXPECT_EQ(field.maximum, 1);
}

TEST(IconIndexFieldTest, EqualBoundsTakeAnyValueAndTypedTextReadsAsANumberOrTheMinimum) {
    EXPECT_EQ(ClampedIconIndex(9, 0, 0), 9);
    EXPECT_EQ(ClampedIconIndex(-4, 1, 1), -4);
    EXPECT_EQ(ClampedIconIndex(0, 1, 5), 1);
    EXPECT_EQ(ClampedIconIndex(6, 1, 5), 5);
    EXPECT_EQ(ReadIconIndex("12", 1), 12);
    EXPECT_EQ(ReadIconIndex(" 3", 1), 3);
    EXPECT_EQ(ReadIconIndex("", 1), 1);
    EXPECT_EQ(ReadIconIndex("3a", 0), 0);
}

}  // namespace
}  // namespace tavrin
