#include "text/NameSet.h"

#include "text/StringHash.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace orvanel::text {

namespace {

constexpr std::size_t kFew = 8;

} // namespace

NameSet::NameSet(const std::vector<std::string_view>& names)
{
    std::size_t total = 0;
    for (std::string_view name : names)
        total += name.size();
    // Texts beyond what a slot can point at (gigabytes of names) are not made a set of.
    if (total >= kFree)
        throw std::length_error("too many names");
    if (names.size() <= kFew && total <= UINT16_MAX) {
        shortCount_ = static_cast<std::uint32_t>(names.size());
        const std::size_t head = shortCount_ * sizeof(Short);
        if (head + total > kInline)
            heapBlock_ = std::make_unique<char[]>(head + total);
        char* const out = heapBlock_ ? heapBlock_.get() : inline_;
        std::size_t offset = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const Short entry{static_cast<std::uint32_t>(hashText(names[i])), static_cast<std::uint16_t>(offset),
                              static_cast<std::uint16_t>(names[i].size())};
            std::memcpy(out + i * sizeof(Short), &entry, sizeof entry);
            if (!names[i].empty())
                std::memcpy(out + head + offset, names[i].data(), names[i].size());
            offset += names[i].size();
        }
        return;
    }
    // More get a table at most half full.
    many_ = std::make_unique<Many>();
    many_->text.reserve(total);
    std::size_t size = 16;
    while (size < 2 * names.size())
        size *= 2;
    many_->table.assign(size, Name{0, 0, kFree});
    for (std::string_view name : names) {
        const Name n{static_cast<std::uint32_t>(hashText(name)), static_cast<std::uint32_t>(many_->text.size()),
                     static_cast<std::uint32_t>(name.size())};
        many_->text += name;
        std::size_t i = n.hash & (size - 1);
        while (many_->table[i].size != kFree)
            i = (i + 1) & (size - 1);
        many_->table[i] = n;
    }
}

NameSet& NameSet::operator=(NameSet&& other) noexcept
{
    if (this == &other)
        return *this;
    shortCount_ = std::exchange(other.shortCount_, 0);
    heapBlock_ = std::move(other.heapBlock_);
    many_ = std::move(other.many_);
    std::memcpy(inline_, other.inline_, kInline);
    return *this;
}

bool NameSet::contains(std::string_view name) const
{
    const std::uint64_t hash = hashText(name);
    if (!many_) {
        const char* const entries = block();
        const char* const texts = entries + shortCount_ * sizeof(Short);
        for (std::size_t i = 0; i < shortCount_; ++i) {
            Short entry;
            std::memcpy(&entry, entries + i * sizeof(Short), sizeof entry);
            if (entry.hash == static_cast<std::uint32_t>(hash) && entry.size == name.size()
                && std::memcmp(texts + entry.offset, name.data(), name.size()) == 0)
                return true;
        }
        return false;
    }
    const std::vector<Name>& table = many_->table;
    const std::size_t mask = table.size() - 1;
    for (std::size_t i = hash & mask; table[i].size != kFree; i = (i + 1) & mask)
        if (table[i].hash == static_cast<std::uint32_t>(hash) && std::string_view(many_->text).substr(table[i].offset, table[i].size) == name)
            return true;
    return false;
}

} // namespace orvanel::text
