#include "app/ProgramResources.h"

#include <mmsystem.h>

#include <iterator>

#include <string_view>

#include "app/Resources.h"
#include "win32/IconPixels.h"
#include "win32/ImageDecoder.h"
#include "win32/ResourceData.h"

namespace tavrin {

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
    const std::string_view bytes = ResourceData(MAKEINTRESOURCEW(toolId + step * IDR_TOOL_SIZE_STEP));
    if (bytes.empty()) return {};
    return IconFromPixels(DecodePng(bytes));
}

}  // namespace tavrin
