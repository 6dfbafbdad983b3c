#include "text/NameSet.h"

#include "text/StringHash.h"

#include <cstring>

namespace orvanel::text {

namespace {

constexpr std::size_t kFew = 8;

} // namespace

NameSet::NameSet(const std::vector<std::string>& names)
{
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    if (names.size() <= kFew && total <= UINT16_MAX) {
        shortCount_ = names.size();
        const std::size_t head = shortCount_ * sizeof(Short);
        short_ = std::make_unique<char[]>(head + total);
        std::size_t offset = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const Short entry{static_cast<std::uint32_t>(hashText(names[i])), static_cast<std::uint16_t>(offset),
                              static_cast<std::uint16_t>(names[i].size())};
            std::memcpy(short_.get() + i * sizeof(Short), &entry, sizeof entry);
            std::memcpy(short_.get() + head + offset, names[i].data(), names[i].size());
            offset += names[i].size();
        }
        return;
    }
    // More get a table at most half full.
    text_.reserve(total);
    std::size_t size = 16;
    while (size < 2 * names.size())
        size *= 2;
    slots_.assign(size, Name{0, 0, std::string::npos});
    for (const std::string& name : names) {
        const Name n{hashText(name), text_.size(), name.size()};
        text_ += name;
        std::size_t i = n.hash & (size - 1);
        while (slots_[i].size != std::string::npos)
            i = (i + 1) & (size - 1);
        slots_[i] = n;
    }
}

bool NameSet::contains(std::string_view name) const
{
    const std::uint64_t hash = hashText(name);
    if (slots_.empty()) {
        const char* const texts = short_.get() + shortCount_ * sizeof(Short);
        for (std::size_t i = 0; i < shortCount_; ++i) {
            Short entry;
            std::memcpy(&entry, short_.get() + i * sizeof(Short), sizeof entry);
            if (entry.hash == static_cast<std::uint32_t>(hash) && entry.size == name.size()
                && std::memcmp(texts + entry.offset, name.data(), name.size()) == 0)
                return true;
        }
        return false;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].size != std::string::npos; i = (i + 1) & mask)
        if (slots_[i].hash == hash && std::string_view(text_).substr(slots_[i].offset, slots_[i].size) == name)
            return true;
    return false;
}

} // namespace orvanel::text
