// One page of the main window's tab control: the Tavrin Tab or a group page.
// A right-click on its empty area shows no menu.
#pragma once

#include "app/BaseWindow.h"

namespace tavrin {

class TabPage : public BaseWindow<TabPage> {
public:
    // withDivider: the Tavrin Tab draws the raised line between its buttons and tools.
    TabPage(HWND parent, bool withDivider);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool withDivider_;
};

}  // namespace tavrin
