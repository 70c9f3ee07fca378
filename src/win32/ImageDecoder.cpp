#include "win32/ImageDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
#include <png.h>

namespace tavrin {

DecodedImage DecodePng(std::string_view bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        throw ImageDecodeError(std::string("PNG picture cannot be read: ") + image.message);
    }
    image.format = PNG_FORMAT_BGRA;
    DecodedImage result{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    result.pixels.resize(size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) {
        const std::string message = image.message;
        png_image_free(&image);
        throw ImageDecodeError("PNG picture cannot be decoded: " + message);
    }
    return result;
}

namespace {

// libjpeg reports errors through a callback that must not return; it jumps
// back to the decoder, which then throws on its own frame.
struct JpegErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

}  // namespace

DecodedImage DecodeJpeg(std::string_view bytes) {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    DecodedImage result;
    std::vector<unsigned char> row;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        throw ImageDecodeError(std::string("JPEG picture cannot be decoded: ") + errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.pixels.resize(size_t{info.output_width} * info.output_height);
    row.resize(size_t{info.output_width} * 3);
    while (info.output_scanline < info.output_height) {
        unsigned char* rows[] = {row.data()};
        const size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        for (size_t x = 0; x < info.output_width; ++x) {
            result.pixels[y * info.output_width + x] =
                0xFF000000u | (std::uint32_t{row[x * 3]} << 16) | (std::uint32_t{row[x * 3 + 1]} << 8) | row[x * 3 + 2];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

}  // namespace tavrin
