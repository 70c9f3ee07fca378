// The pictures and sounds stored in tavrin.exe.
#pragma once

#include "win32/UniqueResource.h"

namespace tavrin {

enum class FeedbackSound { Icon = 0, Tabsheet = 1 };

// Plays a wave resource asynchronously; without a sound device it is silent.
void PlayFeedbackSound(FeedbackSound sound) noexcept;

// The application icon at a square size, and the icon a button shows when its
// icon file is gone (a fresh copy for each caller).
[[nodiscard]] unique_hicon LoadAppIcon(int size);
[[nodiscard]] unique_hicon LoadMissingIcon();
// A tool picture of the Tavrin Tab (a PNG resource) as a 32 x 32 icon.
[[nodiscard]] unique_hicon LoadToolIcon(int resourceId);

}  // namespace tavrin
