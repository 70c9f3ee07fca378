// One move-only owner per kind of handle: the close function and the empty
// value are part of the type, so feature code never closes a handle by hand.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace tavrin {

template <typename T, auto Close, std::intptr_t InvalidValue = 0>
class UniqueResource {
    static T Invalid() noexcept {
        if constexpr (std::is_pointer_v<T>) {
            return reinterpret_cast<T>(InvalidValue);
        } else {
            return static_cast<T>(InvalidValue);
        }
    }

public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { reset(); }

    [[nodiscard]] T get() const noexcept { return value_; }
    [[nodiscard]] explicit operator bool() const noexcept { return value_ != Invalid(); }
    // For out-parameters: releases what is held and hands out the slot.
    [[nodiscard]] T* put() noexcept {
        reset();
        return &value_;
    }
    [[nodiscard]] T release() noexcept { return std::exchange(value_, Invalid()); }
    void reset(T value = Invalid()) noexcept {
        const T old = std::exchange(value_, value);
        if (old != Invalid()) Close(old);
    }

private:
    T value_ = Invalid();
};

namespace detail {
inline void CloseFileHandle(HANDLE handle) noexcept { CloseHandle(handle); }
inline void CloseFind(HANDLE search) noexcept { FindClose(search); }
inline void CloseKey(HKEY key) noexcept { RegCloseKey(key); }
inline void CloseIcon(HICON icon) noexcept { DestroyIcon(icon); }
inline void CloseGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void CloseDc(HDC dc) noexcept { DeleteDC(dc); }
inline void CloseMenu(HMENU menu) noexcept { DestroyMenu(menu); }
inline void CloseWindow(HWND window) noexcept { DestroyWindow(window); }
inline void CloseAtom(ATOM atom) noexcept { GlobalDeleteAtom(atom); }
inline void FreeGlobal(HGLOBAL memory) noexcept { GlobalFree(memory); }
}  // namespace detail

using unique_hfile = UniqueResource<HANDLE, detail::CloseFileHandle, -1>;
using unique_handle = UniqueResource<HANDLE, detail::CloseFileHandle>;
using unique_hfind = UniqueResource<HANDLE, detail::CloseFind, -1>;
using unique_hkey = UniqueResource<HKEY, detail::CloseKey>;
using unique_hicon = UniqueResource<HICON, detail::CloseIcon>;
using unique_hbitmap = UniqueResource<HBITMAP, detail::CloseGdiObject>;
using unique_hfont = UniqueResource<HFONT, detail::CloseGdiObject>;
using unique_hbrush = UniqueResource<HBRUSH, detail::CloseGdiObject>;
using unique_hdc = UniqueResource<HDC, detail::CloseDc>;  // a memory DC from CreateCompatibleDC
using unique_hmenu = UniqueResource<HMENU, detail::CloseMenu>;
using unique_hwnd = UniqueResource<HWND, detail::CloseWindow>;
using unique_atom = UniqueResource<ATOM, detail::CloseAtom>;
using unique_hglobal = UniqueResource<HGLOBAL, detail::FreeGlobal>;

// Balances a successful CoInitializeEx or OleInitialize, and only a successful one.
class ComInitScope {
public:
    enum class Kind { Com, Ole };
    explicit ComInitScope(Kind kind = Kind::Com) noexcept
        : kind_(kind),
          initialized_(SUCCEEDED(kind == Kind::Ole ? OleInitialize(nullptr)
                                                   : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComInitScope() {
        if (!initialized_) return;
        if (kind_ == Kind::Ole) {
            OleUninitialize();
        } else {
            CoUninitialize();
        }
    }
    ComInitScope(const ComInitScope&) = delete;
    ComInitScope& operator=(const ComInitScope&) = delete;

private:
    Kind kind_;
    bool initialized_;
};

}  // namespace tavrin
