#include "app/ProgramResources.h"

#include <mmsystem.h>

#include <cstring>
#include <iterator>

#include <string_view>

#include "app/Resources.h"
#include "win32/ImageDecoder.h"

namespace tavrin {
namespace {

std::string_view ResourceBytes(int resourceId) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded) return {};
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found)};
}

unique_hicon IconFromPixels(const DecodedImage& image) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.width;
    header.bV5Height = -image.height;  // top-down, as decoded
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    unique_hbitmap colour(
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (!colour) return {};
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
    // The alpha channel decides; the mask only has to exist.
    unique_hbitmap mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(colour.get())};
    return unique_hicon(CreateIconIndirect(&info));
}

}  // namespace

void PlayFeedbackSound(FeedbackSound sound) noexcept {
    const wchar_t* name = sound == FeedbackSound::Icon ? L"Icon" : L"Tabsheet";
    PlaySoundW(name, GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}

unique_hicon LoadAppIcon(int size) {
    return unique_hicon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVRIN), IMAGE_ICON, size, size, 0)));
}

unique_hicon LoadMissingIcon(int size) {
    return unique_hicon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MISSING_ICON),
                                                      IMAGE_ICON, size, size, 0)));
}

unique_hicon LoadToolIcon(int toolId, int size) {
    static constexpr int kStoredSizes[] = {32, 48, 64};
    int step = 0;
    while (step + 1 < static_cast<int>(std::size(kStoredSizes)) && kStoredSizes[step] < size) ++step;
    const std::string_view bytes = ResourceBytes(toolId + step * IDR_TOOL_SIZE_STEP);
    if (bytes.empty()) return {};
    return IconFromPixels(DecodePng(bytes));
}

}  // namespace tavrin
