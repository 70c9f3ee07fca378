#include "shell/ShellExecute.h"

#include <shellapi.h>

#include <optional>
#include <string>

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

int ExecuteShellRequest(const ExecuteRequest& request, HWND applicationWindow) {
    const HWND owner =
        request.owner == ExecuteOwner::Application && applicationWindow ? applicationWindow : GetDesktopWindow();
    const auto verb = WidenOptional(request.verb);
    const auto parameters = WidenOptional(request.parameters);
    const auto directory = WidenOptional(request.directory);
    const HINSTANCE result = ShellExecuteW(owner, PointerOf(verb), Widen(request.file).c_str(), PointerOf(parameters),
                                           PointerOf(directory), request.showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace tavrin
