// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/zeroed_allocator.h"

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillary {

// Counts the identifiers in use in one tree, so that a drawn identifier can avoid them.
// Identifiers read from files are kept as they are, duplicates included.
class IdRegistry
{
public:
    using RandomSource = std::function<std::int32_t(std::int32_t bound)>; // uniform over 0..bound-1

    IdRegistry();

    void Add(std::int32_t id);
    void Remove(std::int32_t id);
    bool InUse(std::int32_t id);

    // Random(65535) * Random(32768), drawn again while it is 0 or already in use.
    std::int32_t Draw();
    // A source set from outside may be finite or replay a sequence: it is asked only for what Draw
    // uses, never ahead.
    void SetRandomSource(RandomSource source)
    {
        m_random = std::move(source);
        m_aheadCount = 0;
        m_aheadLimit = 1;
    }

    // A file's identifiers are gathered while it is read and entered together, into a table sized
    // once for all of them instead of grown and rehashed on the way (see IdBatch). Whatever else
    // asks the registry in between enters the gathered ones first.
    void BeginBatch() { m_batching = true; }
    void EndBatch();
    // Enters what the batch gathered so far, which keeps a long read from ending in one long step.
    void EnterPending();
    // Makes room for count more identifiers at once, for a read that can tell about how many come.
    void Expect(std::size_t count);

private:
    // Open addressing with linear probing over the identifiers themselves, four bytes a slot; 0
    // marks a free slot. Identifier 0, and every holder of an identifier after its first, are rare
    // and counted apart.
    using Slots = std::vector<std::int32_t, ZeroedAllocator<std::int32_t>>;
    Slots m_slots;
    std::size_t m_used = 0;
    int m_shift = 32;
    std::size_t Home(std::int32_t id) const;
    std::size_t Find(std::int32_t id) const;
    void PrefetchSlot(std::int32_t id) const;
    static bool Overfull(std::size_t count, std::size_t size);
    void Grow();
    // Makes room for count identifiers in all without growing again.
    void Reserve(std::size_t count);
    void Insert(std::int32_t id);
    // The next candidate for Draw, from those drawn ahead.
    std::int32_t NextCandidate();
    std::int32_t m_zeroHolders = 0;
    std::unordered_map<std::int32_t, std::int32_t> m_moreHolders;
    // A source set from outside, or none: then the registry's own engine.
    RandomSource m_random;
    std::mt19937_64 m_engine;
    std::int32_t DrawCandidate();
    // Candidates drawn a few ahead of need from the registry's own source, in the order it gives them.
    static constexpr std::size_t DrawAhead = 8;
    std::array<std::int32_t, DrawAhead> m_ahead{};
    std::size_t m_aheadLimit = DrawAhead;
    std::size_t m_aheadFirst = 0;
    std::size_t m_aheadCount = 0;
    bool m_batching = false;
    // A large read gathers in huge pages (see ZeroedAllocator) once past a pasted few: a list grown
    // in small pages, each faulted in on its own and copied at each growth, cost several percent
    // of the read.
    static constexpr std::size_t FewPending = 4096;
    std::vector<std::int32_t, ZeroedAllocator<std::int32_t>> m_pending;
};

// RAII form of BeginBatch/EndBatch.
class IdBatch
{
public:
    explicit IdBatch(IdRegistry& ids) : m_ids(ids) { m_ids.BeginBatch(); }
    ~IdBatch() { m_ids.EndBatch(); }
    void Enter() { m_ids.EnterPending(); }
    IdBatch(const IdBatch&) = delete;
    IdBatch& operator=(const IdBatch&) = delete;

private:
    IdRegistry& m_ids;
};

} // namespace quillary
