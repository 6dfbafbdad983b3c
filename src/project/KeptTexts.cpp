#include "project/KeptTexts.h"

#include "project/LargeMemory.h"

#include <cstring>

namespace orvanel::project {

namespace {

constexpr std::size_t kBlock = 2 * kHugePage;

} // namespace

KeptTexts::~KeptTexts()
{
    for (const Block& block : blocks_)
        if (block.data)
            giveLargeMemory(block.data, block.size);
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
    char* data = takeLargeMemory(blockSize);
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
                giveLargeMemory(block.data, block.size);
                taken_ -= block.size;
                block = Block{};
            }
            return;
        }
    }
}

} // namespace orvanel::project
