// The page of a tab control as the background of the controls on it. Themes
// draw the page lighter than the dialog, so labels, check boxes and group boxes
// would otherwise stand on patches of the dialog's colour.
#pragma once

#include <windows.h>

#include "win32/UniqueResource.h"

namespace tavrin {

class TabPageBackground {
public:
    // Takes a picture of the tab control as it draws itself now.
    void Capture(HWND tabs);

    // The answer to WM_CTLCOLORSTATIC of a control on the page: the picture as a
    // brush lined up with the control, behind transparent text. Null for a
    // control that is not on the page.
    [[nodiscard]] HBRUSH ForControl(HDC dc, HWND control) const;

    // Erases the parent's background (WM_ERASEBKGND) with the page under the
    // tab control, for themed controls that draw their parent behind them.
    void EraseParent(HDC dc) const;

private:
    HWND tabs_ = nullptr;
    unique_hbitmap picture_;
    unique_hbrush brush_;
};

}  // namespace tavrin
