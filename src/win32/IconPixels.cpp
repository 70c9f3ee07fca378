#include "win32/IconPixels.h"

#include <algorithm>
#include <cstring>

#include "win32/DcScopes.h"

namespace tavrin {
namespace {

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    const unique_hdc dc(CreateCompatibleDC(nullptr));
    const int rows = GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    if (rows != height) pixels.clear();
    return pixels;
}

}  // namespace

DecodedImage PixelsOfIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const unique_hbitmap colour(info.hbmColor);
    const unique_hbitmap mask(info.hbmMask);
    BITMAP size{};
    if (!info.hbmColor || !GetObjectW(info.hbmColor, sizeof size, &size)) return {};
    DecodedImage image{size.bmWidth, size.bmHeight, BitmapPixels(info.hbmColor, size.bmWidth, size.bmHeight)};
    const bool hasAlpha =
        std::any_of(image.pixels.begin(), image.pixels.end(), [](std::uint32_t pixel) { return (pixel >> 24) != 0; });
    if (!hasAlpha) {
        // The mask is white where the icon is transparent.
        const std::vector<std::uint32_t> transparent = BitmapPixels(info.hbmMask, size.bmWidth, size.bmHeight);
        for (size_t i = 0; i < image.pixels.size() && i < transparent.size(); ++i) {
            if ((transparent[i] & 0xFFFFFF) == 0) image.pixels[i] |= 0xFF000000;
        }
    }
    return image;
}

unique_hicon IconFromPixels(const DecodedImage& image) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.width;
    header.bV5Height = -image.height;  // top-down
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const unique_hbitmap colour(CreateDIBSection(WindowDc(nullptr).Get(), reinterpret_cast<BITMAPINFO*>(&header),
                                                 DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour) return {};
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
    // The alpha channel decides; the mask only has to exist.
    const unique_hbitmap mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return unique_hicon(CreateIconIndirect(&info));
}

DecodedImage ResizedNearest(const DecodedImage& image, int size) {
    if (image.width == size && image.height == size) return image;
    DecodedImage resized{size, size, std::vector<std::uint32_t>(static_cast<size_t>(size) * static_cast<size_t>(size))};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const size_t from = static_cast<size_t>(y * image.height / size) * static_cast<size_t>(image.width) +
                                static_cast<size_t>(x * image.width / size);
            resized.pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
                image.pixels[from];
        }
    }
    return resized;
}

DecodedImage ResizedSmooth(const DecodedImage& image, int size) {
    if (image.width == size && image.height == size) return image;
    DecodedImage resized{size, size, std::vector<std::uint32_t>(static_cast<size_t>(size) * static_cast<size_t>(size))};
    for (int y = 0; y < size; ++y) {
        const int top = y * image.height / size;
        const int bottom = std::max(top + 1, (y + 1) * image.height / size);
        for (int x = 0; x < size; ++x) {
            const int left = x * image.width / size;
            const int right = std::max(left + 1, (x + 1) * image.width / size);
            std::uint64_t alpha = 0, red = 0, green = 0, blue = 0, count = 0;
            for (int row = top; row < bottom; ++row) {
                for (int column = left; column < right; ++column) {
                    const std::uint32_t pixel =
                        image.pixels[static_cast<size_t>(row) * static_cast<size_t>(image.width) +
                                     static_cast<size_t>(column)];
                    const std::uint32_t a = pixel >> 24;
                    alpha += a;
                    red += a * ((pixel >> 16) & 0xFF);
                    green += a * ((pixel >> 8) & 0xFF);
                    blue += a * (pixel & 0xFF);
                    ++count;
                }
            }
            // Colours weighted by opacity, so that transparent pixels lend the edge none of theirs.
            const auto channel = [alpha](std::uint64_t sum) {
                return alpha == 0 ? 0u : static_cast<std::uint32_t>((sum + alpha / 2) / alpha);
            };
            resized.pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
                static_cast<std::uint32_t>((alpha + count / 2) / count) << 24 | channel(red) << 16 |
                channel(green) << 8 | channel(blue);
        }
    }
    return resized;
}

DecodedImage Layered(const DecodedImage& top, const DecodedImage& bottom) {
    DecodedImage result = bottom;
    for (size_t i = 0; i < result.pixels.size() && i < top.pixels.size(); ++i) {
        const std::uint32_t over = top.pixels[i];
        const std::uint32_t under = bottom.pixels[i];
        const unsigned overAlpha = over >> 24;
        const unsigned underAlpha = (under >> 24) * (255 - overAlpha) / 255;
        const unsigned alpha = overAlpha + underAlpha;
        std::uint32_t pixel = alpha << 24;
        for (const int shift : {0, 8, 16}) {
            const unsigned weighted = ((over >> shift) & 0xFF) * overAlpha + ((under >> shift) & 0xFF) * underAlpha;
            if (alpha != 0) pixel |= (weighted / alpha) << shift;
        }
        result.pixels[i] = pixel;
    }
    return result;
}

}  // namespace tavrin
