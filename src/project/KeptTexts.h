#pragma once
// Texts kept for a later scan: the reference lists of the pages a site's walk reads early for
// their fragment targets, megabytes of them. Memory taken from the system 4 KiB at a time
// costs more than reading those pages: the texts are copied into large blocks, which Linux
// backs with huge pages where it can, and a block is used again once none of its texts is
// needed.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace orvanel::project {

class KeptTexts {
public:
    // `limit`: the most memory the blocks may take together.
    explicit KeptTexts(std::size_t limit) : limit_(limit) {}
    ~KeptTexts();
    KeptTexts(const KeptTexts&) = delete;
    KeptTexts& operator=(const KeptTexts&) = delete;

    // A copy of `text`, valid until it is released; nullopt when the memory for it cannot be
    // had within the limit (the text is then read again when it is needed).
    std::optional<std::string_view> keep(std::string_view text);
    // A text returned by keep() is no longer needed.
    void release(std::string_view kept);

private:
    struct Block {
        char* data = nullptr;
        std::size_t size = 0;
        std::size_t used = 0;
        std::size_t live = 0; // texts kept in it and not released
    };

    Block* blockFor(std::size_t size);

    std::size_t limit_;
    std::size_t taken_ = 0;
    std::vector<Block> blocks_;
    std::size_t current_ = 0; // the block being filled, when there is one
};

} // namespace orvanel::project
