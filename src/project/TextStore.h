#pragma once
// Texts kept as they come, in blocks that are filled and never moved, so that a kept text
// keeps its address and nothing is copied as the store grows. The blocks double in size up to
// a few megabytes, which are advised for huge pages: a site's scan may keep tens of thousands.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace orvanel::project {

class TextStore {
public:
    TextStore() = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // A copy of `text`, valid until clear().
    std::string_view keep(std::string_view text);
    void clear();

private:
    static constexpr std::size_t kFirstBlock = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t nextBlock_ = kFirstBlock;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace orvanel::project
