// Helpers of the tests that create windows in their own process under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "desktop/TrayIcon.h"
#include "support/FakeEnvironment.h"

namespace tavrin::testing {

// The tab and status-bar classes the main window uses, and the hot-key and up-down classes of its options.
void InitWindowControls();
// The environment reports the real screen and work area, so that edge snapping
// and the first position can be compared with what Windows shows.
void UseRealScreen(FakeEnvironment& environment);
// Handles the messages of this thread for the given time.
void PumpMessages(DWORD milliseconds);
// Handles the messages of this thread until done() holds or the time is up;
// the last answer of done(). Every test that waits for something waits here.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
// The caption of item `item` of a tab control, as the control holds it.
[[nodiscard]] std::wstring TabItemText(HWND tabs, int item);
// Whether the shell knows the icon: it modifies only icons that it has.
[[nodiscard]] bool ShellHasIcon(const TrayIcon& tray);
// Starts xdotool to focus the window captioned windowName and press keys (xdotool's
// names, e.g. "ctrl+alt+l"). The reason when that cannot be done, for a skipped test.
[[nodiscard]] std::optional<std::string> PressKeysWithXdotool(const std::string& windowName, const std::string& keys);
// Moves the X pointer to a point of the screen and clicks a button (1 left, 3 right) `clicks` times, 120 ms apart.
[[nodiscard]] std::optional<std::string> ClickWithXdotool(POINT screenPoint, int clicks, int button = 1);
// Presses the left button at one point of the screen, moves the pointer in steps to another and releases it there.
[[nodiscard]] std::optional<std::string> DragWithXdotool(POINT from, POINT to);

}  // namespace tavrin::testing
