#include "win32/Win32Prompt.h"

#include "win32/Utf16.h"

namespace tavrin {

bool Win32Prompt::AskYesNo(const std::string& text) {
    return MessageBoxW(owner_, Widen(text).c_str(), L"Tavrin", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tavrin
