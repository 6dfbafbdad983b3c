#pragma once
// The paths a scan has looked at, found again by their text. A scan asks once for every
// reference it meets, so the look-up is kept to a probe of one flat array and one
// comparison: open addressing over the paths' hashes, with the entries in a deque, where
// they (and their paths) stay at the same address while the table grows.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanel::project {

template <typename Value>
class PathTable {
public:
    struct Entry {
        std::string path;
        Value value{};
    };

    // The entry of `path`, and whether this call created it (with a default Value).
    std::pair<Entry*, bool> findOrAdd(std::string_view path)
    {
        const std::uint64_t hash = std::hash<std::string_view>()(path);
        if (!slots_.empty()) {
            for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
                const Slot& slot = slots_[i];
                if (!slot.entry)
                    break;
                if (slot.hash == hash && slot.entry->path == path)
                    return {slot.entry, false};
            }
        }
        // At most half the slots are used, so that probes stay short.
        if ((entries_.size() + 1) * 2 > slots_.size())
            grow();
        Entry& entry = entries_.emplace_back(Entry{std::string(path), Value{}});
        place(hash, &entry);
        return {&entry, true};
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        Entry* entry = nullptr;
    };

    void place(std::uint64_t hash, Entry* entry)
    {
        std::size_t i = hash & mask_;
        while (slots_[i].entry)
            i = (i + 1) & mask_;
        slots_[i] = Slot{hash, entry};
    }

    void grow()
    {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(old.empty() ? 256 : old.size() * 2, Slot{});
        mask_ = slots_.size() - 1;
        for (const Slot& slot : old)
            if (slot.entry)
                place(slot.hash, slot.entry);
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::deque<Entry> entries_;
};

} // namespace orvanel::project
