// Looking at and driving the running tavrin.exe from another process, the way
// a user's desktop does: window rectangles, the visible page, the cells of a
// page by their place, key presses on the tab control and clicks on cells.
// Also reading the values the program wrote to its settings file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrin::testing {

// The current Windows user, whose settings file is TV_<user>.xml.
[[nodiscard]] std::string CurrentUser();

// Polls until done() holds or the time is up; the last answer of done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);

[[nodiscard]] RECT WindowRect(HWND window);
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
// The cell of a group page at slot 1..20, found by its place on the page.
[[nodiscard]] HWND CellOfSlot(HWND page, int slot);
// The cells of a page, in the order of their places: rows from the top, left to right.
[[nodiscard]] std::vector<HWND> CellsOf(HWND page);
// A left click in the middle of a cell, posted as the mouse would send it.
void ClickCell(HWND cell);

// The "Value" of the "Item" named `name` in the settings file's "Application".
[[nodiscard]] std::string OptionValue(const std::string& settingsFile, const std::string& name);
// The stored recent list, entry by entry.
[[nodiscard]] std::vector<std::string> StoredRecentList(const std::string& settingsFile);
// The value of item `name` of the button with this ID, or empty when there is none.
[[nodiscard]] std::string ButtonValue(const std::string& settingsFile, int id, const std::string& name);

}  // namespace tavrin::testing
