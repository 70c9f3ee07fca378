// A move-only owner of one COM interface pointer, and of the memory that COM
// methods hand out with the task allocator, so that feature code never calls
// Release or CoTaskMemFree by hand.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

#include "win32/UniqueResource.h"

namespace tavrin {

template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    [[nodiscard]] T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    [[nodiscard]] explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    [[nodiscard]] T** put() noexcept {
        reset();
        return &pointer_;
    }
    // The slot as CoCreateInstance and QueryInterface take it.
    [[nodiscard]] void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    // Takes over a pointer whose reference the caller owns.
    void reset(T* pointer = nullptr) noexcept {
        if (T* old = std::exchange(pointer_, pointer)) old->Release();
    }

    // Another interface of the same object; empty when the object has none.
    template <typename U>
    [[nodiscard]] ComPtr<U> query() const noexcept {
        ComPtr<U> other;
        if (pointer_) (void)pointer_->QueryInterface(__uuidof(U), other.put_void());
        return other;
    }

private:
    T* pointer_ = nullptr;
};

// Creates an in-process COM object and asks it for the interface T; empty on failure.
template <typename T>
[[nodiscard]] ComPtr<T> CreateComInstance(REFCLSID classId) noexcept {
    ComPtr<T> object;
    (void)CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(T), object.put_void());
    return object;
}

namespace detail {
inline void FreeTaskMemory(void* memory) noexcept { CoTaskMemFree(memory); }
}  // namespace detail

// Memory from the COM task allocator, such as an item ID list.
template <typename T>
using unique_cotaskmem = UniqueResource<T*, detail::FreeTaskMemory>;

}  // namespace tavrin
