// Encoding pictures as PNG files, for the pictures the program saves.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrin {

class ImageEncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of a PNG file of an opaque picture given as 8-bit blue, green and
// red per pixel, row after row from the top.
[[nodiscard]] std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& bgr);

}  // namespace tavrin
