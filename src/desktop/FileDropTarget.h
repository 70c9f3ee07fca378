// Makes a window accept files dragged from the shell through OLE drag and
// drop: the window is registered as a drop target while the object lives
// (OLE must be initialised on the thread). The owner says, for every point
// of a drag, whether a drop may land there, and hears the names dropped.
// Files come as the shell's file list (CF_HDROP), its item list ("Shell IDList
// Array") or a single name ("FileNameW", "FileName"), in that order.
#pragma once

#include <windows.h>
#include <oleidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/DropEffect.h"
#include "win32/ComPtr.h"

namespace tavrin {

struct FileDropHandlers {
    // The pointer is at a point of the screen: true when a drop there is taken.
    std::function<bool(POINT screenPoint)> dragOver;
    // The drag left the window, was cancelled or dropped.
    std::function<void()> dragLeave;
    // Names were dropped at a point that dragOver took; there is at least one.
    std::function<void(POINT screenPoint, const std::vector<std::string>& names)> drop;
};

class FileDropTarget {
public:
    // A window that cannot be registered (OLE not initialised) takes no drops.
    FileDropTarget(HWND window, FileDropHandlers handlers, std::uint32_t acceptedEffects = kDropCopy | kDropLink);
    ~FileDropTarget();
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    [[nodiscard]] bool Registered() const noexcept { return registered_; }
    // The object OLE calls, for tests that play a drag's calls themselves.
    [[nodiscard]] IDropTarget* Target() const noexcept;

private:
    class Object;

    HWND window_;
    ComPtr<Object> object_;
    bool registered_ = false;
};

// The file names a data object carries, from the first of the formats above
// that yields any; empty when none does.
[[nodiscard]] std::vector<std::string> DroppedFileNames(IDataObject& data);

}  // namespace tavrin
