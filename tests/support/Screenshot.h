// Pictures of windows for the test artifacts: what the screen shows inside a
// window's client area, saved as a PNG file. The client area, because without
// a window manager (Xvfb) nobody draws the frame and caption of a window.
#pragma once

#include <windows.h>

#include <string>

namespace tavrin::testing {

// Copies the screen inside the window's client area into a PNG file; throws when it cannot.
void SaveWindowPicture(HWND window, const std::string& pngFile);

// The path of a test artifact in the build folder's artifacts/, which is made when missing.
[[nodiscard]] std::string ArtifactPath(const std::string& name);

}  // namespace tavrin::testing
