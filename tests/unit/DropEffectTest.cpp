#include "rules/DropEffect.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(DropEffectTest, KeysChooseAmongTheAllowedEffectsAndAMoveIsNeverForced) {
    constexpr std::uint32_t kAll = kDropCopy | kDropMove | kDropLink;
    constexpr std::uint32_t kWindow = kDropCopy | kDropLink;    // what the main window takes
    EXPECT_EQ(ChooseDropEffect(kAll, kWindow, {}), kDropCopy);  // a plain drag asks for a move
    EXPECT_EQ(ChooseDropEffect(kAll, kWindow, {.control = true, .shift = true}), kDropLink);
    EXPECT_EQ(ChooseDropEffect(kDropMove | kDropLink, kWindow, {.control = true}), kDropLink);
    EXPECT_EQ(ChooseDropEffect(kDropMove, kWindow, {}), kDropNone);
    EXPECT_EQ(ChooseDropEffect(kAll, kAll, {}), kDropMove);
    EXPECT_EQ(ChooseDropEffect(kDropCopy | kDropMove, kAll, {.control = true, .shift = true}), kDropCopy);
}

}  // namespace
}  // namespace tavrin
