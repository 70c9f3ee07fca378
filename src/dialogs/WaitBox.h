// The notice shown while a report is exported: a borderless box centred on its
// owner with one line of text. It has no behaviour; it goes when its owner
// object does.
#pragma once

#include <windows.h>

#include <memory>

namespace tavrin {

class WaitBox;
struct WaitBoxCloser {
    void operator()(WaitBox* box) const noexcept;
};
using ShownWaitBox = std::unique_ptr<WaitBox, WaitBoxCloser>;

// Shows the box without waiting and paints it at once.
[[nodiscard]] ShownWaitBox ShowWaitBox(HWND owner);
// The box's window, for tests.
[[nodiscard]] HWND WaitBoxWindow(const ShownWaitBox& box) noexcept;

}  // namespace tavrin
