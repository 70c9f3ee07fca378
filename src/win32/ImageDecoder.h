// Decoding of the PNG and JPEG pictures stored in the program's resources
// into 32-bit top-down BGRA pixels, the layout of a Windows DIB section.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tavrin {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row after row from the top
};

class ImageDecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[nodiscard]] DecodedImage DecodePng(std::string_view bytes);
[[nodiscard]] DecodedImage DecodeJpeg(std::string_view bytes);

}  // namespace tavrin
