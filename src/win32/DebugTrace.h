// The one trace of a failure that the program deliberately goes on without (a
// refused start, a shortcut not written, a backup not made): a line in the
// debugger's output, which DebugView and Wine's +debugstr channel show.
#pragma once

#include <string_view>

namespace tavrin {

void TraceFailure(std::string_view what) noexcept;

// Traces what when ok is false, and gives ok back.
inline bool TraceIfFalse(bool ok, std::string_view what) noexcept {
    if (!ok) TraceFailure(what);
    return ok;
}

}  // namespace tavrin
