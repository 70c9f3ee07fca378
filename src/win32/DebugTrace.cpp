#include "win32/DebugTrace.h"

#include <windows.h>

#include <string>

#include "win32/Utf16.h"

namespace tavrin {

void TraceFailure(std::string_view what) noexcept {
    try {
        OutputDebugStringW(Widen(std::string("Tavrin: ") + std::string(what) + "\n").c_str());
    } catch (...) {
        // No memory for the text: the fixed line says at least that something failed.
        OutputDebugStringW(L"Tavrin: a failure could not be traced\n");
    }
}

}  // namespace tavrin
