// The icon shown by a static icon control of a dialog. The control does not own
// the icon it shows, so the preview keeps it until the next one replaces it.
#pragma once

#include <windows.h>

#include <string>

#include "shell/ShellIcons.h"

namespace tavrin {

class IconPreview {
public:
    // Shows the icon at `index` of the file at `size` pixels.
    void Show(HWND control, const std::string& file, int index, int size) {
        unique_hicon icon = GetFileIcon(file, index, size);
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        icon_ = std::move(icon);
    }
    void Clear(HWND control) {
        SendMessageW(control, STM_SETICON, 0, 0);
        icon_.reset();
    }

private:
    unique_hicon icon_;
};

}  // namespace tavrin
