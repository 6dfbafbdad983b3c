#pragma once
// The paths a scan has looked at, found again by their text. A scan asks once for every
// reference it meets, and a site's table outgrows the processor's caches, so a look-up is
// kept to two places in memory: a slot of one flat array (open addressing over the paths'
// hashes), and the entry, whose path is stored right behind its value. Entries live in
// blocks that never move, so an entry (and its path) keeps its address while the table grows.

#include "text/StringHash.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace orvanel::project {

template <typename Value>
class PathTable {
    static_assert(std::is_trivially_destructible_v<Value>, "entries are dropped with their blocks");

public:
    class Entry {
    public:
        Value value{};
        std::string_view path() const { return {reinterpret_cast<const char*>(this + 1), size_}; }

    private:
        friend class PathTable;
        explicit Entry(std::size_t size) : size_(size) {}
        std::size_t size_;
    };

    static std::uint64_t hashOf(std::string_view path) { return text::hashText(path); }

    // The entry of `path`, and whether this call created it (with a default Value).
    std::pair<Entry*, bool> findOrAdd(std::string_view path) { return findOrAdd(path, hashOf(path)); }
    // The same, with the path's hashOf.
    std::pair<Entry*, bool> findOrAdd(std::string_view path, std::uint64_t hash)
    {
        if (Entry* entry = find(path, hash))
            return {entry, false};
        // At most half the slots are used, so that probes stay short.
        if ((count_ + 1) * 2 > slots_.size())
            grow();
        Entry* entry = store(path);
        place(hash, entry);
        ++count_;
        return {entry, true};
    }

    // The entry of `path` (with its hashOf); nullptr when there is none.
    Entry* find(std::string_view path, std::uint64_t hash) const
    {
        if (slots_.empty())
            return nullptr;
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.entry)
                return nullptr;
            if (slot.hash == hash && slot.entry->size_ == path.size()
                && std::memcmp(slot.entry + 1, path.data(), path.size()) == 0)
                return slot.entry;
        }
    }

    // Hints for a look-up to come (a path's hashOf): the slot where it starts, then, once
    // that is at hand, the entry the slot leads to. Neither changes anything.
    void prefetchSlot(std::uint64_t hash) const
    {
        if (!slots_.empty())
            __builtin_prefetch(&slots_[hash & mask_]);
    }
    void prefetchEntry(std::uint64_t hash) const
    {
        if (slots_.empty())
            return;
        if (const Entry* entry = slots_[hash & mask_].entry) {
            __builtin_prefetch(entry);
            __builtin_prefetch(reinterpret_cast<const char*>(entry) + 64);
        }
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        Entry* entry = nullptr;
    };

    static constexpr std::size_t kBlock = 64 * 1024;

    Entry* store(std::string_view path)
    {
        constexpr std::size_t align = alignof(Entry);
        const std::size_t size = (sizeof(Entry) + path.size() + align - 1) / align * align;
        if (size > blockLeft_) {
            const std::size_t block = std::max(kBlock, size);
            blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(block));
            next_ = blocks_.back().get();
            blockLeft_ = block;
        }
        Entry* entry = new (next_) Entry(path.size());
        std::memcpy(entry + 1, path.data(), path.size());
        next_ += size;
        blockLeft_ -= size;
        return entry;
    }

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
    std::size_t count_ = 0;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* next_ = nullptr;
    std::size_t blockLeft_ = 0;
};

} // namespace orvanel::project
