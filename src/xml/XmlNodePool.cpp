#include "xml/XmlNodePool.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tavrin {

void* XmlNodePool::Allocate(std::size_t bytes) {
    const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
    if (size > kLargestPooled) return ::operator new(size);
    FreeBlock*& freed = freeBlocks_[size / kGrain];
    if (freed) return std::exchange(freed, freed->next);
    if (static_cast<std::size_t>(end_ - next_) < size) {
        chunks_.emplace_back(new std::byte[kChunk]);
        next_ = chunks_.back().get();
        end_ = next_ + kChunk;
    }
    return std::exchange(next_, next_ + size);
}

void XmlNodePool::Deallocate(void* block, std::size_t bytes) noexcept {
    const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
    if (size > kLargestPooled) {
        ::operator delete(block);
        return;
    }
    FreeBlock*& freed = freeBlocks_[size / kGrain];
    freed = new (block) FreeBlock{freed};
}

}  // namespace tavrin
