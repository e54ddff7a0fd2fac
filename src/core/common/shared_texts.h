// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/spin_lock.h"
#include "common/zeroed_allocator.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace quillary {

// Short texts that come back again and again in an address book (labels such as "Home" and
// "E-Mail", first names, cities, countries, job titles) kept once for the whole process and
// numbered, so that an item's texts can name one in a few bytes instead of holding a copy.
//
// A text is kept from the second time it is offered: one that was never offered before is most
// likely unique (a phone number, a street), and keeping it would cost more than it saves. To tell
// the second time, the hashes of texts offered lately are remembered in a small table where a
// newer one takes the place of an older; a text that comes back only after very many others is
// taken for new again, which costs no more than its copy. Kept texts stay to the end of the
// process, so a view of one never goes stale; there is a bound on how many are kept.
class SharedTexts
{
public:
    static constexpr std::size_t Shortest = 4;
    static constexpr std::size_t Longest = 64;
    // Few enough for the tables to stay in the processor's cache while a file is read, where a
    // lookup in larger ones costs a wait on memory for every text; enough for the labels, names
    // and places an address book repeats most.
    static constexpr std::uint32_t MostEntries = 1u << 14;
    static constexpr std::uint32_t NotKept = ~std::uint32_t(0);

    SharedTexts();
    SharedTexts(const SharedTexts&) = delete;
    SharedTexts& operator=(const SharedTexts&) = delete;
    ~SharedTexts();

    static bool Keepable(std::string_view text) noexcept
    {
        return text.size() >= Shortest && text.size() <= Longest;
    }

    // Sets entries[i] to the entry that holds texts[i], or to NotKept.
    void Offer(std::span<const std::string_view> texts, std::uint32_t* entries);

    // entry came from Offer. Safe from any thread: an entry never moves once made.
    std::string_view Text(std::uint32_t entry) const noexcept
    {
        const char* at = m_entries[entry];
        return {at + 1, static_cast<unsigned char>(*at)};
    }

    std::uint32_t Count() const noexcept { return m_count; }

    // The texts every tree shares, to the end of the process.
    static SharedTexts& Shared();

private:
    static constexpr std::size_t ArenaChunk = 64 * 1024;
    static constexpr std::size_t RecentSlots = std::size_t(1) << 15;

    std::uint32_t OfferOne(std::string_view text, std::uint64_t hash);
    std::uint32_t Find(std::string_view text, std::uint64_t hash) const noexcept;
    std::uint32_t Add(std::string_view text, std::uint64_t hash);
    static std::uint32_t EntryBefore(const char* at) noexcept;
    bool SeenLately(std::uint64_t hash);
    std::uint32_t& Recent(std::uint64_t hash) noexcept { return m_recent[(hash >> 32) & (RecentSlots - 1)]; }
    void Index(const char* at, std::uint64_t hash) noexcept;
    void GrowIndex();

    SpinLock m_lock;
    // Entry n is the length byte and the text at m_entries[n], made with room for every entry so
    // that it never moves; n itself stands in the four bytes before them, for a text found
    // through the index.
    std::unique_ptr<const char*[]> m_entries;
    std::uint32_t m_count = 0;
    std::vector<std::unique_ptr<char[]>> m_arena;
    char* m_next = nullptr;
    char* m_end = nullptr;
    // Open addressing over the kept texts' addresses (see IndexTag); 0 is free.
    std::vector<std::uint64_t, ZeroedAllocator<std::uint64_t>> m_index;
    int m_indexShift = 64;
    // The low halves of recently offered texts' hashes, placed by their high halves.
    std::vector<std::uint32_t, ZeroedAllocator<std::uint32_t>> m_recent;
};

} // namespace quillary
