#include "win32/ImageDecoder.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace tavrin {
namespace {

std::string TestData(const char* name) { return testing::ReadBytes(std::string(TAVRIN_TEST_DATA) + "/" + name); }

TEST(ImageDecoderTest, DecodesPngPixelsWithAlpha) {
    const DecodedImage image = DecodePng(TestData("pattern.png"));
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image.pixels[1], 0x8000FF00u);
    EXPECT_EQ(image.pixels[7], 0xFF0000FFu);
}

TEST(ImageDecoderTest, DecodesJpegColours) {
    const DecodedImage image = DecodeJpeg(TestData("pattern.jpg"));
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 8);
    for (const std::uint32_t pixel : image.pixels) {
        EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 0x33, 3);
        EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 0x66, 3);
        EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0xCC, 3);
        EXPECT_EQ(pixel >> 24, 0xFFu);
    }
}

TEST(ImageDecoderTest, DamagedPicturesRaiseErrors) {
    const std::string png = TestData("pattern.png");
    EXPECT_THROW((void)DecodePng(png.substr(0, png.size() / 2)), ImageDecodeError);
    EXPECT_THROW((void)DecodePng("not a picture"), ImageDecodeError);
    EXPECT_THROW((void)DecodeJpeg(png), ImageDecodeError);
}

}  // namespace
}  // namespace tavrin
