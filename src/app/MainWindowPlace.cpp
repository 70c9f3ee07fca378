// Where the window stands: its stored position at start-up and at closing,
// edge snapping against its monitor, and its icons and layout for the DPI.
#include "app/MainWindow.h"

#include "app/ProgramResources.h"
#include "rules/EdgeSnap.h"
#include "win32/Dpi.h"

namespace tavrin {
namespace {

// Where window, at its present size, comes to rest when moved to `to`: edge
// snapping against the monitor that the window would then be on.
WindowPosition SnappedPosition(HWND window, WindowPosition to) {
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&frame, to.left - frame.left, to.top - frame.top);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return to;
    const SnapArea area{monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right, monitor.rcWork.bottom};
    return SnapToEdges({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, area);
}

}  // namespace

// The stored top and then the stored left each count as a move, which edge
// snapping follows: that pulls a position off the screen back in. Both are
// worked out first and the window moved once, since under Wine every move is
// a round trip to the X server.
void MainWindow::MoveToStoredPosition() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WindowPosition start{frame.left, frame.top};
    WindowPosition at = start;
    const auto move = [&](WindowPosition to) {
        if (to != at) at = SnappedPosition(Handle(), to);
    };
    move({start.left, Settings().Y});
    move({Settings().X, at.top});
    if (at != start) SetWindowPos(Handle(), nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Also at log-off and shutdown. A minimised window keeps the place it is restored
// to; the window rectangle is right while hidden in the notification area.
void MainWindow::SaveOnClose() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    if (IsIconic(Handle())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(Handle(), &placement);
        // The placement is in work-area coordinates.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor);
        frame = placement.rcNormalPosition;
        OffsetRect(&frame, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    Settings().Y = frame.top;
    Settings().X = frame.left;
    try {
        Settings().SaveSettings();
    } catch (const FileError& error) {
        throw FileError::ChangeNotKept("The window's position was not saved.", error);
    }
    tavrinTab_.MostUsed().RankCandidates.clear();
}

// After the default handling of a move, an edge near an edge of the window's
// monitor sticks to it.
void MainWindow::SnapToScreenEdges() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WindowPosition snapped = SnappedPosition(Handle(), {frame.left, frame.top});
    if (snapped.left != frame.left || snapped.top != frame.top) {
        SetWindowPos(Handle(), nullptr, snapped.left, snapped.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The caption and taskbar icons at the sizes of the window's DPI.
void MainWindow::SetWindowIcons() {
    bigIcon_ = LoadAppIcon(GetSystemMetricsForDpi(SM_CXICON, dpi_));
    smallIcon_ = LoadAppIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// Moved to a monitor of another scale, or the scale changed: the window takes
// the place Windows suggests and builds its font, icons, layout and pictures
// (made again at their new size when painted) for the new DPI.
void MainWindow::DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons();
    LayOut();
}

}  // namespace tavrin
