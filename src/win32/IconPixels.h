// Icons as 32-bit pixels and back, for pictures the program makes or
// combines: straight (not premultiplied) alpha, rows from the top.
#pragma once

#include <windows.h>

#include "win32/ImageDecoder.h"
#include "win32/UniqueResource.h"

namespace tavrin {

// The pixels of an icon at its own size; an icon without an alpha channel
// takes its transparency from its mask. Empty for no icon.
[[nodiscard]] DecodedImage PixelsOfIcon(HICON icon);

[[nodiscard]] unique_hicon IconFromPixels(const DecodedImage& image);

// The picture at another square size, each pixel taken from the nearest one.
[[nodiscard]] DecodedImage ResizedNearest(const DecodedImage& image, int size);

// The picture at a smaller square size, each pixel the average of those it
// covers (weighted by their opacity), so that lines stay smooth.
[[nodiscard]] DecodedImage ResizedSmooth(const DecodedImage& image, int size);

// `top` over `bottom`, both of one size, as alpha blending lays one picture over another.
[[nodiscard]] DecodedImage Layered(const DecodedImage& top, const DecodedImage& bottom);

}  // namespace tavrin
