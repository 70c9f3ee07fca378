#include "win32/Win32Prompt.h"

#include "win32/Utf16.h"

namespace tavrin {

// Over a dialog that the owner has open (the options), so that the dialog waits for the answer too.
bool Win32Prompt::AskYesNo(const std::string& text) {
    const HWND owner = owner_ ? GetLastActivePopup(owner_) : nullptr;
    return MessageBoxW(owner, Widen(text).c_str(), L"Tavrin", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tavrin
