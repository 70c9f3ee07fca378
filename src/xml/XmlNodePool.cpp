#include "xml/XmlNodePool.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace tavrin {

void* XmlNodePool::Allocate(std::size_t bytes) {
    const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
    void* block;
    if (size > kLargestPooled) {
        block = ::operator new(size);
    } else if (FreeBlock*& freed = freeBlocks_[size / kGrain]) {
        block = std::exchange(freed, freed->next);
    } else {
        if (static_cast<std::size_t>(end_ - next_) < size) {
            chunks_.emplace_back(new std::byte[kChunk]);
            next_ = chunks_.back().get();
            end_ = next_ + kChunk;
        }
        block = std::exchange(next_, next_ + size);
    }
    ++blocksInUse_;
    return block;
}

void XmlNodePool::Deallocate(void* block, std::size_t bytes) noexcept {
    const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
    if (size > kLargestPooled) {
        ::operator delete(block);
    } else {
        FreeBlock*& freed = freeBlocks_[size / kGrain];
        freed = new (block) FreeBlock{freed};
    }
    --blocksInUse_;
    DeleteWhenUnused();
}

void XmlNodePool::Release() noexcept {
    held_ = false;
    DeleteWhenUnused();
}

void XmlNodePool::DeleteWhenUnused() noexcept {
    if (!held_ && blocksInUse_ == 0) delete this;
}

std::string_view XmlNodePool::Keep(std::string_view text) {
    if (text.empty()) return {};
    std::unique_ptr<std::byte[]> copy(new std::byte[text.size()]);
    std::memcpy(copy.get(), text.data(), text.size());
    const std::string_view kept(reinterpret_cast<const char*>(copy.get()), text.size());
    chunks_.push_back(std::move(copy));
    return kept;
}

}  // namespace tavrin
