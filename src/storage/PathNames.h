// Splitting and forming file names. Both '\' and '/' separate folders, so the
// same rules serve Windows paths and the POSIX paths of the native tests.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// The folder part of a path with its trailing separator ("" when there is none).
[[nodiscard]] std::string ExtractFilePath(std::string_view path);
// The folder part without its trailing separator, which a root keeps ("C:\", "\").
[[nodiscard]] std::string ExtractFileDir(std::string_view path);
// The part after the last separator.
[[nodiscard]] std::string ExtractFileName(std::string_view path);
// The extension of the file-name part with its dot ("" when there is none).
[[nodiscard]] std::string ExtractFileExt(std::string_view path);
// The path with the extension of its file-name part replaced (or added).
[[nodiscard]] std::string ChangeFileExt(std::string_view path, std::string_view extension);

// Whether a shortcut's extension is recognised in any letter case or only as ".lnk".
enum class LetterCase { Ignored, Exact };
// True for a path whose file-name part has the extension of shortcut files, ".lnk".
[[nodiscard]] bool IsShortcutFileName(std::string_view path, LetterCase letterCase = LetterCase::Ignored);

// True for a name that Windows takes for a device in any folder: CON, PRN,
// AUX, NUL, COM1 to COM9, LPT1 to LPT9 (also with the superscript digits 1
// to 3), CONIN$, CONOUT$ and CLOCK$, in any letter case and with or without
// an extension.
[[nodiscard]] bool IsDeviceName(std::string_view name);
// True for a name that, joined to a folder, names a file in that folder and
// nothing else: not empty, no folder part, drive or stream (no '\', '/' or
// ':'), not "." or "..", none of the characters Windows refuses in names, no
// trailing dot or blank (which Windows drops), and not a device such as NUL.
[[nodiscard]] bool IsPlainFileName(std::string_view name);

}  // namespace tavrin
