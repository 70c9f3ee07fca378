#include "win32/Win32FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr char kXmlFilter[] = "Xml file (*.xml)|*.xml";

std::optional<std::string> RunFileDialog(HWND owner, const SaveFileChoice& choice, bool save) {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = Widen(choice.proposedName);
    proposed.copy(file.data(), file.size() - 1);
    const std::wstring folder = Widen(choice.initialFolder);
    // The dialog takes the file types as texts and patterns each ended by a
    // null character, and one more null at the end.
    std::wstring filter = Widen(choice.filter) + L"||";
    for (wchar_t& c : filter) c = c == L'|' ? L'\0' : c;
    const std::wstring extension = Widen(choice.defaultExtension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = extension.c_str();
    // The replace question is the program's own, so the dialog does not ask.
    dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return Narrow(file.data());
}

}  // namespace

std::optional<std::string> ChooseSaveFileName(HWND owner, const SaveFileChoice& choice) {
    return RunFileDialog(owner, choice, true);
}

std::optional<std::string> Win32FileDialogs::ChooseSaveFile(const std::string& initialFolder,
                                                            const std::string& proposedName) {
    return RunFileDialog(owner_, {initialFolder, proposedName, kXmlFilter, "xml"}, true);
}

std::optional<std::string> Win32FileDialogs::ChooseOpenFile(const std::string& initialFolder) {
    return RunFileDialog(owner_, {initialFolder, "", kXmlFilter, "xml"}, false);
}

void Win32FileDialogs::ShowMessage(const std::string& text) {
    MessageBoxW(owner_, Widen(text).c_str(), L"Tavrin", MB_OK);
}

}  // namespace tavrin
