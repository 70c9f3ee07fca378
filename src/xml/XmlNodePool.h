// Memory for the nodes of one document and for their lists of children and
// attributes: blocks cut from large chunks, so that reading a file does not
// ask the heap once per node. A freed block waits in a list of its size for
// the next node of that size, so that changing a document again and again does
// not grow it. The pool also keeps the copy of the text that a document's
// values were read from. Its document holds it, and it lives on while any
// block cut from it is in use (a node may outlive its document), so the
// allocators over it are plain pointers that cost nothing to copy.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace tavrin {

class XmlNodePool {
public:
    // A new pool, held by the caller until it calls Release.
    [[nodiscard]] static XmlNodePool* Create() { return new XmlNodePool; }
    XmlNodePool(const XmlNodePool&) = delete;
    XmlNodePool& operator=(const XmlNodePool&) = delete;

    [[nodiscard]] void* Allocate(std::size_t bytes);
    void Deallocate(void* block, std::size_t bytes) noexcept;
    // A copy of text that stays until the pool goes, for the values read from it.
    [[nodiscard]] std::string_view Keep(std::string_view text);

    // The holder lets go: the pool goes now, or when the last block in use is given back.
    void Release() noexcept;

private:
    static constexpr std::size_t kGrain = 16;           // every block is a multiple of this, aligned to it
    static constexpr std::size_t kLargestPooled = 512;  // larger blocks come from the heap
    // Small enough for the heap to keep and hand out again for the next
    // document, rather than map fresh pages from the system each time.
    static constexpr std::size_t kChunk = 64 * 1024;

    struct FreeBlock {
        FreeBlock* next;
    };

    XmlNodePool() = default;
    ~XmlNodePool() = default;
    void DeleteWhenUnused() noexcept;

    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    std::array<FreeBlock*, kLargestPooled / kGrain + 1> freeBlocks_{};
    // Like the nodes themselves, the pools belong to the user-interface thread: the count needs no lock.
    std::size_t blocksInUse_ = 0;
    bool held_ = true;
};

// An allocator over a pool, or over the heap for nodes made on their own.
template <typename T>
class XmlPoolAllocator {
public:
    using value_type = T;

    explicit XmlPoolAllocator(XmlNodePool* pool) noexcept : pool_(pool) {}
    template <typename U>
    XmlPoolAllocator(const XmlPoolAllocator<U>& other) noexcept : pool_(other.Pool()) {}

    [[nodiscard]] T* allocate(std::size_t count) {
        static_assert(alignof(T) <= 16, "pool blocks are aligned to 16 bytes");
        return static_cast<T*>(pool_ ? pool_->Allocate(count * sizeof(T)) : ::operator new(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        if (pool_) {
            pool_->Deallocate(block, count * sizeof(T));
        } else {
            ::operator delete(block);
        }
    }

    [[nodiscard]] XmlNodePool* Pool() const noexcept { return pool_; }
    template <typename U>
    bool operator==(const XmlPoolAllocator<U>& other) const noexcept {
        return pool_ == other.Pool();
    }

private:
    XmlNodePool* pool_;
};

}  // namespace tavrin
