// The bytes of a raw data resource (RCDATA) of the program file.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavrin {

// The resource named `name` (a MAKEINTRESOURCEW number or a name); empty when there is none.
[[nodiscard]] std::string_view ResourceData(const wchar_t* name) noexcept;

}  // namespace tavrin
