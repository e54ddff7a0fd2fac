// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/shared_texts.h"

#include "common/byte_scan.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <mutex>

namespace quillary {

namespace {

std::uint64_t Load4(const char* at) noexcept
{
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) noexcept
{
    hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
    return hash ^ (hash >> 32);
}

// Texts of 4 to 64 bytes, read a word at a time, the last word overlapping the one before.
std::uint64_t HashOf(std::string_view text) noexcept
{
    const char* at = text.data();
    std::size_t left = text.size();
    std::uint64_t hash = left * 0xBF58476D1CE4E5B9u;
    if (left < 8) {
        hash = Mix(hash, Load4(at) | Load4(at + left - 4) << 32);
    } else {
        for (; left > 8; at += 8, left -= 8)
            hash = Mix(hash, byte_scan::Word(at));
        hash = Mix(hash, byte_scan::Word(at + left - 8));
    }
    hash *= 0x94D049BB133111EBu;
    return hash ^ (hash >> 31);
}

// Never 0, which marks a free slot.
std::uint32_t Tag(std::uint64_t hash) noexcept
{
    return static_cast<std::uint32_t>(hash) | 1u;
}

// Texts of 4 to 64 bytes compared a word at a time, as they are hashed.
bool SameBytes(const char* at, std::string_view text) noexcept
{
    const char* other = text.data();
    std::size_t left = text.size();
    if (left < 8)
        return Load4(at) == Load4(other) && Load4(at + left - 4) == Load4(other + left - 4);
    for (; left > 8; at += 8, other += 8, left -= 8)
        if (byte_scan::Word(at) != byte_scan::Word(other))
            return false;
    return byte_scan::Word(at + left - 8) == byte_scan::Word(other + left - 8);
}

// An index slot holds a kept text's address in the low bits, where user-space addresses fit,
// and 16 bits of its hash above them.
constexpr std::uint64_t AddressBits = (std::uint64_t(1) << 48) - 1;

std::uint64_t IndexTag(std::uint64_t hash) noexcept
{
    return hash << 48;
}

} // namespace

SharedTexts::SharedTexts() = default;
SharedTexts::~SharedTexts() = default;

SharedTexts& SharedTexts::Shared()
{
    static SharedTexts* const shared = new SharedTexts;
    return *shared;
}

void SharedTexts::Offer(std::span<const std::string_view> texts, std::uint32_t* entries)
{
    std::fill(entries, entries + texts.size(), NotKept);
    if (std::none_of(texts.begin(), texts.end(), Keepable))
        return;
    const std::lock_guard lock(m_lock);
    if (m_recent.empty())
        m_recent.resize(RecentSlots);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (Keepable(texts[i]))
            entries[i] = OfferOne(texts[i], HashOf(texts[i]));
}

std::uint32_t SharedTexts::OfferOne(std::string_view text, std::uint64_t hash)
{
    const std::uint32_t entry = Find(text, hash);
    if (entry != NotKept || m_count == MostEntries || !SeenLately(hash))
        return entry;
    return Add(text, hash);
}

std::uint32_t SharedTexts::Find(std::string_view text, std::uint64_t hash) const noexcept
{
    if (m_index.empty())
        return NotKept;
    const std::size_t mask = m_index.size() - 1;
    const std::uint64_t tag = IndexTag(hash);
    for (std::size_t i = hash >> m_indexShift; m_index[i] != 0; i = (i + 1) & mask) {
        if ((m_index[i] & ~AddressBits) != tag)
            continue;
        const char* at = reinterpret_cast<const char*>(m_index[i] & AddressBits);
        if (static_cast<unsigned char>(*at) == text.size() && SameBytes(at + 1, text))
            return EntryBefore(at);
    }
    return NotKept;
}

bool SharedTexts::SeenLately(std::uint64_t hash)
{
    std::uint32_t& recent = Recent(hash);
    const bool seen = recent == Tag(hash);
    recent = Tag(hash);
    return seen;
}

std::uint32_t SharedTexts::Add(std::string_view text, std::uint64_t hash)
{
    const std::uint32_t entry = m_count;
    const std::size_t bytes = sizeof entry + 1 + text.size();
    if (static_cast<std::size_t>(m_end - m_next) < bytes) {
        m_arena.emplace_back(new char[ArenaChunk]);
        m_next = m_arena.back().get();
        m_end = m_next + ArenaChunk;
    }
    std::memcpy(m_next, &entry, sizeof entry);
    char* at = m_next + sizeof entry;
    *at = static_cast<char>(text.size());
    std::memcpy(at + 1, text.data(), text.size());
    m_next += bytes;

    if (!m_entries)
        m_entries.reset(new const char*[MostEntries]);
    m_entries[entry] = at;
    if ((std::size_t(m_count) + 1) * 4 > m_index.size() * 3)
        GrowIndex();
    Index(at, hash);
    ++m_count;
    return entry;
}

std::uint32_t SharedTexts::EntryBefore(const char* at) noexcept
{
    std::uint32_t entry;
    std::memcpy(&entry, at - sizeof entry, sizeof entry);
    return entry;
}

void SharedTexts::Index(const char* at, std::uint64_t hash) noexcept
{
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    assert((address & ~AddressBits) == 0);
    const std::size_t mask = m_index.size() - 1;
    std::size_t i = hash >> m_indexShift;
    while (m_index[i] != 0)
        i = (i + 1) & mask;
    m_index[i] = IndexTag(hash) | address;
}

void SharedTexts::GrowIndex()
{
    m_index = decltype(m_index)(std::max<std::size_t>(m_index.size() * 2, 1024));
    m_indexShift = 64 - std::countr_zero(m_index.size());
    for (std::uint32_t entry = 0; entry < m_count; ++entry) {
        Index(m_entries[entry], HashOf(Text(entry)));
    }
}

} // namespace quillary
