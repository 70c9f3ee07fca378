// The pictures and sounds stored in tavrin.exe.
#pragma once

#include "win32/UniqueResource.h"

namespace tavrin {

enum class FeedbackSound { Icon = 0, Tabsheet = 1 };

// Plays a wave resource asynchronously; without a sound device it is silent.
void PlayFeedbackSound(FeedbackSound sound) noexcept;

// The application icon at a square size, and the icon a button shows when its
// icon file is gone (a fresh copy for each caller), from the stored image that fits best.
[[nodiscard]] unique_hicon LoadAppIcon(int size);
[[nodiscard]] unique_hicon LoadMissingIcon(int size);
// A tool picture of the Tavrin Tab (the PNG resources of a tool) as an icon:
// the stored size that fits, or the next larger one, drawn at `size`.
[[nodiscard]] unique_hicon LoadToolIcon(int toolId, int size);

}  // namespace tavrin
