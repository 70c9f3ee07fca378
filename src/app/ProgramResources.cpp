#include "app/ProgramResources.h"

#include <mmsystem.h>

#include <iterator>

#include <string_view>

#include "app/Resources.h"
#include "win32/IconPixels.h"
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
    return unique_hicon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MISSING_ICON), IMAGE_ICON, size, size, 0)));
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
