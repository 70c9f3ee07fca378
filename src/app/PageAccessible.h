// A tab page as screen readers see it, through Microsoft Active Accessibility:
// the page answers WM_GETOBJECT with an IAccessible object whose children are
// its cells (child IDs 1 to N in the page's order), push buttons named and
// described as the page's describer tells, pressed by their default action.
#pragma once

#include <windows.h>

#include "win32/ComPtr.h"

namespace tavrin {

class TabPage;

class PageAccessibility {
public:
    explicit PageAccessibility(TabPage& page) noexcept;
    PageAccessibility(const PageAccessibility&) = delete;
    PageAccessibility& operator=(const PageAccessibility&) = delete;
    // A client may hold the object longer than the page lives: it is cut off from the page.
    ~PageAccessibility();

    // The answer to the page's WM_GETOBJECT: the object for OBJID_CLIENT, made at the first ask; 0 for any other.
    [[nodiscard]] LRESULT Answer(WPARAM wParam, LPARAM lParam);

private:
    class Object;

    TabPage& page_;
    ComPtr<Object> object_;
};

}  // namespace tavrin
