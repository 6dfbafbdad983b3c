#include "project/KeptTexts.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvanel::project {

namespace {

constexpr std::size_t kHugePage = 2u << 20;
constexpr std::size_t kBlock = 2 * kHugePage;

// Memory of `size` bytes (a multiple of kHugePage), nullptr when the system has none.
char* takeMemory(std::size_t size)
{
#if defined(__linux__)
    // Mapped with room to start on a huge page's boundary; the rest is given back.
    void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    char* const start = static_cast<char*>(mapped);
    char* const aligned = reinterpret_cast<char*>(
        (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) / kHugePage * kHugePage);
    if (aligned > start)
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (const std::size_t tail = static_cast<std::size_t>(start + size + kHugePage - (aligned + size)); tail > 0)
        ::munmap(aligned + size, tail);
    ::madvise(aligned, size, MADV_HUGEPAGE); // advice: pages of 4 KiB serve as well
    return aligned;
#else
    return static_cast<char*>(std::malloc(size));
#endif
}

void giveBack(char* data, std::size_t size)
{
#if defined(__linux__)
    ::munmap(data, size);
#else
    (void)size;
    std::free(data);
#endif
}

} // namespace

KeptTexts::~KeptTexts()
{
    for (const Block& block : blocks_)
        if (block.data)
            giveBack(block.data, block.size);
}

KeptTexts::Block* KeptTexts::blockFor(std::size_t size)
{
    if (!blocks_.empty() && blocks_[current_].data && blocks_[current_].size - blocks_[current_].used >= size)
        return &blocks_[current_];
    // A block none of whose texts is needed any more is filled again.
    if (size <= kBlock)
        for (std::size_t i = 0; i < blocks_.size(); ++i)
            if (blocks_[i].data && blocks_[i].live == 0 && blocks_[i].size >= size) {
                blocks_[i].used = 0;
                current_ = i;
                return &blocks_[i];
            }
    const std::size_t blockSize = size <= kBlock ? kBlock : (size + kHugePage - 1) / kHugePage * kHugePage;
    if (taken_ + blockSize > limit_)
        return nullptr;
    char* data = takeMemory(blockSize);
    if (!data)
        return nullptr;
    taken_ += blockSize;
    blocks_.push_back(Block{data, blockSize, 0, 0});
    current_ = blocks_.size() - 1;
    return &blocks_.back();
}

std::optional<std::string_view> KeptTexts::keep(std::string_view text)
{
    Block* block = blockFor(text.size());
    if (!block)
        return std::nullopt;
    char* at = block->data + block->used;
    if (!text.empty())
        std::memcpy(at, text.data(), text.size());
    block->used += text.size();
    ++block->live;
    return std::string_view(at, text.size());
}

void KeptTexts::release(std::string_view kept)
{
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        Block& block = blocks_[i];
        if (block.data && kept.data() >= block.data && kept.data() + kept.size() <= block.data + block.size) {
            if (--block.live == 0 && block.size > kBlock) {
                // A text of its own size: its memory goes back at once.
                giveBack(block.data, block.size);
                taken_ -= block.size;
                block = Block{};
            }
            return;
        }
    }
}

} // namespace orvanel::project
