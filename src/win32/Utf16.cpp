#include "win32/Utf16.h"

#include <windows.h>

#include <stdexcept>

namespace tavrin {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), size);
    return result;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::string CodePageToUtf8(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    // Without MB_ERR_INVALID_CHARS a byte the code page does not define (or a lead
    // byte without its second byte) becomes a stand-in character, which every
    // later save would keep in place of the text.
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    if (size == 0 ||
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, result.data(), size) != size) {
        throw std::range_error("the text holds bytes that code page " + std::to_string(codePage) + " does not define");
    }
    return Narrow(result);
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"system error " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return Narrow(text);
}

}  // namespace tavrin
