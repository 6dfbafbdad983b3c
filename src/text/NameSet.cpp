#include "text/NameSet.h"

#include "text/StringHash.h"

namespace orvanel::text {

NameSet::NameSet(const std::vector<std::string>& names)
{
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    text_.reserve(total);
    names_.reserve(names.size());
    for (const std::string& name : names) {
        names_.push_back(Name{hashText(name), text_.size(), name.size()});
        text_ += name;
    }
    // A few names are looked through in a row; more get a table at most half full.
    constexpr std::size_t kFew = 8;
    if (names_.size() <= kFew)
        return;
    std::size_t size = 16;
    while (size < 2 * names_.size())
        size *= 2;
    slots_.assign(size, Name{0, 0, std::string::npos});
    for (const Name& n : names_) {
        std::size_t i = n.hash & (size - 1);
        while (slots_[i].size != std::string::npos)
            i = (i + 1) & (size - 1);
        slots_[i] = n;
    }
    names_ = {};
}

bool NameSet::contains(std::string_view name) const
{
    const std::uint64_t hash = hashText(name);
    if (slots_.empty()) {
        for (const Name& n : names_)
            if (is(n, hash, name))
                return true;
        return false;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].size != std::string::npos; i = (i + 1) & mask)
        if (is(slots_[i], hash, name))
            return true;
    return false;
}

} // namespace orvanel::text
