#include "win32/Win32FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "win32/ComPtr.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr wchar_t kXmlFilter[] = L"Xml file (*.xml)\0*.xml\0";

// The owner, or a dialog it has open (the options), so that the dialog waits for the box too.
HWND BoxOwner(HWND owner) { return owner ? GetLastActivePopup(owner) : nullptr; }

std::optional<std::string> RunFileDialog(HWND owner, const std::string& initialFolder, const std::string& fileName,
                                         bool save, const wchar_t* filter = kXmlFilter,
                                         const wchar_t* defaultExtension = L"xml") {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = Widen(fileName);
    proposed.copy(file.data(), file.size() - 1);
    const std::wstring folder = Widen(initialFolder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = defaultExtension;
    // The replace question is the program's own, so the dialog does not ask.
    dialog.Flags =
        OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return Narrow(file.data());
}

}  // namespace

std::optional<std::string> ChooseSaveFileName(HWND owner, const SaveFileChoice& choice) {
    // The dialog takes the file types as texts and patterns each ended by a
    // null character, and one more null at the end.
    std::wstring filter = Widen(choice.filter) + L"||";
    for (wchar_t& c : filter) c = c == L'|' ? L'\0' : c;
    const std::wstring extension = Widen(choice.defaultExtension);
    return RunFileDialog(owner, choice.initialFolder, choice.proposedName, true, filter.c_str(), extension.c_str());
}

std::optional<std::string> Win32FileDialogs::ChooseSaveFile(const std::string& initialFolder,
                                                            const std::string& proposedName) {
    return RunFileDialog(BoxOwner(owner_), initialFolder, proposedName, true);
}

std::optional<std::string> Win32FileDialogs::ChooseOpenFile(const std::string& initialFolder) {
    return RunFileDialog(BoxOwner(owner_), initialFolder, "", false);
}

std::optional<std::string> ChooseExistingFile(HWND owner, const wchar_t* filter) {
    return RunFileDialog(owner, "", "", false, filter, nullptr);
}

std::optional<std::string> BrowseForFolder(HWND owner, const std::wstring& title) {
    const ComInitScope com;
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES;
    const unique_cotaskmem<ITEMIDLIST> item(SHBrowseForFolderW(&browse));
    wchar_t path[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListW(item.get(), path)) return std::nullopt;
    return Narrow(path);
}

void Win32FileDialogs::ShowMessage(const std::string& text) {
    MessageBoxW(BoxOwner(owner_), Widen(text).c_str(), L"Tavrin", MB_OK);
}

}  // namespace tavrin
