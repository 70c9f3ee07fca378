#include <windows.h>

#include <gtest/gtest.h>

#include "win32/Utf16.h"
#include "win32/Win32Environment.h"

namespace tavrin {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The data of the Run value name as the registry holds it, or the error of the read.
struct RunValue {
    LSTATUS status;
    std::wstring data;
};

RunValue ReadRunValue(const wchar_t* name) {
    DWORD size = 0;
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size);
    if (status != ERROR_SUCCESS) return {status, {}};
    std::wstring data(size / sizeof(wchar_t), L'\0');
    status = RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, data.data(), &size);
    data.resize(status == ERROR_SUCCESS && size >= sizeof(wchar_t) ? size / sizeof(wchar_t) - 1 : 0);
    return {status, data};
}

TEST(RunAtLogonTest, WritesReadsAndDeletesTheRunValue) {
    Win32Environment environment;
    // Cyrillic, CJK and an emoji outside the Basic Multilingual Plane.
    const std::string unicodePath =
        "\"C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\"
        "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x9A\x80\\launcher.exe\"";
    for (const std::string& data : {std::string("\"D:\\Apps\\launcher.exe\""), unicodePath}) {
        ASSERT_TRUE(environment.SetRunAtLogonValue("Tavrin", data));
        const RunValue stored = ReadRunValue(L"Tavrin");
        ASSERT_EQ(stored.status, ERROR_SUCCESS);
        EXPECT_EQ(stored.data, Widen(data));
        EXPECT_EQ(Narrow(stored.data), data);
    }

    EXPECT_TRUE(environment.SetRunAtLogonValue("Tavrin", std::nullopt));
    EXPECT_EQ(ReadRunValue(L"Tavrin").status, ERROR_FILE_NOT_FOUND);
    // Turning the option off twice is no failure.
    EXPECT_TRUE(environment.SetRunAtLogonValue("Tavrin", std::nullopt));
    EXPECT_EQ(ReadRunValue(L"Tavrin").status, ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace tavrin
