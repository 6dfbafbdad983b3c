#include "project/TextStore.h"

#include "project/LargeMemory.h"

#include <algorithm>
#include <cstring>

namespace orvanel::project {

namespace {

constexpr std::size_t kLargestBlock = 2 * kHugePage;

} // namespace

std::string_view TextStore::keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > left_) {
        const std::size_t size = std::max(nextBlock_, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        next_ = blocks_.back().get();
        left_ = size;
        if (size >= kLargestBlock)
            adviseLargeMemory(next_, size);
        nextBlock_ = std::min(2 * nextBlock_, kLargestBlock);
    }
    char* const at = next_;
    std::memcpy(at, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return {at, text.size()};
}

void TextStore::clear()
{
    blocks_.clear();
    nextBlock_ = kFirstBlock;
    next_ = nullptr;
    left_ = 0;
}

} // namespace orvanel::project
