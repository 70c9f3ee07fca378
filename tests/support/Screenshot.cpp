#include "support/Screenshot.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "win32/DcScopes.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin::testing {
namespace {

// Rows of 8-bit RGB, top row first.
std::vector<unsigned char> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const WindowDc screen(nullptr);
    const unique_hdc memory(CreateCompatibleDC(screen.Get()));
    const unique_hbitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) {
            throw std::runtime_error("cannot copy the screen");
        }
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> bgrx(static_cast<size_t>(width) * height * 4);
    if (GetDIBits(memory.get(), bitmap.get(), 0, height, bgrx.data(), &info, DIB_RGB_COLORS) != height) {
        throw std::runtime_error("cannot read the screen's pixels");
    }
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t pixel = 0; pixel < static_cast<size_t>(width) * height; ++pixel) {
        rgb[pixel * 3] = bgrx[pixel * 4 + 2];
        rgb[pixel * 3 + 1] = bgrx[pixel * 4 + 1];
        rgb[pixel * 3 + 2] = bgrx[pixel * 4];
    }
    return rgb;
}

void WritePng(const std::string& path, int width, int height, std::vector<unsigned char>& rgb) {
    const std::unique_ptr<FILE, decltype(&fclose)> file(_wfopen(Widen(path).c_str(), L"wb"), &fclose);
    if (!file) throw std::runtime_error("cannot create " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("cannot start a PNG file");
    }
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) rows[y] = rgb.data() + static_cast<size_t>(y) * width * 3;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot write " + path);
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

}  // namespace

void SaveWindowPicture(HWND window, const std::string& pngFile) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    std::vector<unsigned char> rgb = ScreenPixels(rect);
    WritePng(pngFile, rect.right - rect.left, rect.bottom - rect.top, rgb);
}

std::string ArtifactPath(const std::string& name) {
    CreateDirectoryW(Widen(TAVRIN_ARTIFACTS).c_str(), nullptr);
    return TAVRIN_ARTIFACTS "\\" + name;
}

}  // namespace tavrin::testing
