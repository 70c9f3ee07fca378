// Looking at and driving the running tavrin.exe from another process, the way
// a user's desktop does: window rectangles, the visible page, the places of
// its cells, key presses on the tab control and clicks on cells.
// Also reading the values the program wrote to its settings file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/WindowTesting.h"

namespace tavrin::testing {

// The current Windows user, whose settings file is TV_<user>.xml.
[[nodiscard]] std::string CurrentUser();

[[nodiscard]] RECT WindowRect(HWND window);
// The barrier before checking that something did not happen: waits until the
// window's thread has handled what was sent to it and the window has kept its
// place for a moment; false when it does not settle within the deadline.
bool WaitUntilSettled(HWND window);
// The desktop's work area (the screen without the taskbar).
[[nodiscard]] RECT WorkArea();
// Moves a window of the program as a drag would end: its WM_MOVE follows.
void MoveWindowTo(HWND window, int left, int top);

// The main window's tab control.
[[nodiscard]] HWND TabControl(HWND mainWindow);
// The index of the selected tab item, -1 when none is.
[[nodiscard]] int SelectedTab(HWND mainWindow);
// Selects tab item `item` with the arrow keys on the tab control, as a user
// who has focused the tabs does; the main window hears of each change.
void SelectTabWithKeys(HWND mainWindow, int item);
// The page window shown now, or null when no page is shown.
[[nodiscard]] HWND VisiblePage(HWND mainWindow);
// The middle of the cell of a group page's slot 1..20, in the page's client area.
[[nodiscard]] POINT MiddleOfSlot(int slot);
// The middle of the Tavrin Tab's recent image k (1..6, most recent first).
[[nodiscard]] POINT MiddleOfRecentImage(int k);
// A left click at a point of a page's client area, posted as the mouse would send it.
void ClickAt(HWND page, POINT point);

// The "Value" of the "Item" named `name` in the settings file's "Application".
[[nodiscard]] std::string OptionValue(const std::string& settingsFile, const std::string& name);
// The stored recent list, entry by entry.
[[nodiscard]] std::vector<std::string> StoredRecentList(const std::string& settingsFile);
// The value of item `name` of the button with this ID, or empty when there is none.
[[nodiscard]] std::string ButtonValue(const std::string& settingsFile, int id, const std::string& name);

}  // namespace tavrin::testing
