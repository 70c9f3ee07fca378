#include "app/TabPage.h"

#include "app/TavrinTabLayout.h"

namespace tavrin {

TabPage::TabPage(HWND parent, bool withDivider) : withDivider_(withDivider) {
    Create(L"TavrinTabPage", {}, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent);
}

LRESULT TabPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(Handle(), &paint);
            if (withDivider_) {
                // A raised vertical line, as a bevel of this width draws it.
                RECT line{kDivider.left + kDivider.width / 2 - 1, kDivider.top, kDivider.left + kDivider.width / 2 + 1,
                          kDivider.top + kDivider.height};
                DrawEdge(dc, &line, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
            }
            EndPaint(Handle(), &paint);
            return 0;
        }
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tavrin
