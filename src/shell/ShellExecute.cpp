#include "shell/ShellExecute.h"

#include <shellapi.h>

#include <exception>
#include <optional>
#include <string>

#include "win32/DebugTrace.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// An empty optional is a null pointer to the shell; an empty text is an empty string.
std::optional<std::wstring> WidenOptional(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return Widen(*text);
}

const wchar_t* PointerOf(const std::optional<std::wstring>& text) { return text ? text->c_str() : nullptr; }

}  // namespace

// ShellExecuteW answers with a number above 32 when it accepted the request, and
// with an error code (SE_ERR_FNF, ...) otherwise.
bool ExecuteShellRequest(const ExecuteRequest& request, HWND applicationWindow) noexcept {
    try {
        const HWND owner =
            request.owner == ExecuteOwner::Application && applicationWindow ? applicationWindow : GetDesktopWindow();
        const auto verb = WidenOptional(request.verb);
        const auto parameters = WidenOptional(request.parameters);
        const auto directory = WidenOptional(request.directory);
        const auto result =
            reinterpret_cast<INT_PTR>(ShellExecuteW(owner, PointerOf(verb), Widen(request.file).c_str(),
                                                    PointerOf(parameters), PointerOf(directory), request.showCommand));
        if (result > 32) return true;
        TraceFailure("the shell refused to start \"" + request.file + "\" (error " + std::to_string(result) + ")");
    } catch (const std::exception& error) {
        // No memory for the request's texts: it never reached the shell.
        TraceFailure(error.what());
    }
    return false;
}

}  // namespace tavrin
