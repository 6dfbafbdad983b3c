#include "project/KeptReferences.h"

#include <cstdint>
#include <cstring>

namespace orvanel::project {

// Each reference: the length of its kind (one byte) and the kind, then the length of its
// text (four bytes, as the machine writes them) and the text.

bool listReferences(ReferenceFinder& finder, std::string& list)
{
    FoundReference found;
    while (finder.next(found)) {
        if (found.text.size() > UINT32_MAX)
            return false;
        const auto kindSize = static_cast<unsigned char>(found.kind.size());
        const auto textSize = static_cast<std::uint32_t>(found.text.size());
        const std::size_t at = list.size();
        list.resize(at + 1 + kindSize + sizeof textSize + textSize);
        char* out = list.data() + at;
        *out++ = static_cast<char>(kindSize);
        std::memcpy(out, found.kind.data(), kindSize);
        out += kindSize;
        std::memcpy(out, &textSize, sizeof textSize);
        out += sizeof textSize;
        if (textSize > 0)
            std::memcpy(out, found.text.data(), textSize);
    }
    return true;
}

bool KeptReferenceFinder::next(FoundReference& found)
{
    if (at_ >= list_.size())
        return false;
    const auto kindSize = static_cast<unsigned char>(list_[at_]);
    found.kind = list_.substr(at_ + 1, kindSize);
    at_ += 1 + kindSize;
    std::uint32_t textSize = 0;
    std::memcpy(&textSize, list_.data() + at_, sizeof textSize);
    at_ += sizeof textSize;
    found.text = list_.substr(at_, textSize);
    at_ += textSize;
    return true;
}

} // namespace orvanel::project
