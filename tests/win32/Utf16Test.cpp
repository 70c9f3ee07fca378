#include "win32/Utf16.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavrin {
namespace {

// Bytes a code page does not define, or a lead byte cut off from its second
// byte, used to come back as stand-in characters; now they are refused.
TEST(Utf16Test, CodePageTextIsDecodedOrRefused) {
    EXPECT_EQ(CodePageToUtf8(1251, "\xCF\xF0\xE8"), "\xD0\x9F\xD1\x80\xD0\xB8");
    EXPECT_EQ(CodePageToUtf8(932, "\x82\xA0"), "\xE3\x81\x82");
    EXPECT_THROW((void)CodePageToUtf8(1253, "ab\xAA"), std::range_error);
    EXPECT_THROW((void)CodePageToUtf8(932, "ab\x82"), std::range_error);
}

}  // namespace
}  // namespace tavrin
