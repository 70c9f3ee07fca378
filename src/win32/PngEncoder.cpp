#include "win32/PngEncoder.h"

#include <png.h>

namespace tavrin {

// libpng's simplified writer: once to learn the size, once to fill the buffer.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& bgr) {
    if (width <= 0 || height <= 0 || bgr.size() != static_cast<std::size_t>(width) * height * 3) {
        throw ImageEncodeError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                               " pixels cannot be made from " + std::to_string(bgr.size()) + " bytes");
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, bgr.data(), 0, nullptr)) {
        throw ImageEncodeError(std::string("PNG picture cannot be written: ") + image.message);
    }
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, bgr.data(), 0, nullptr)) {
        throw ImageEncodeError(std::string("PNG picture cannot be written: ") + image.message);
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace tavrin
