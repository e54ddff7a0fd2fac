// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/id_registry.h"

#include "common/huge_pages.h"

#include <bit>

namespace quillary {

IdRegistry::IdRegistry() : m_engine(std::random_device{}())
{
}

// Fibonacci hashing takes the high bits of the product, so identifiers that share their low
// bits (multiples of a power of two) still spread over the table.
std::size_t IdRegistry::Home(std::int32_t id) const
{
    const auto h = static_cast<std::uint32_t>(id) * 0x9E3779B9u;
    return static_cast<std::size_t>(h >> m_shift);
}

// Asks the processor for the line of id's home slot, for a probe a little later.
void IdRegistry::PrefetchSlot(std::int32_t id) const
{
    __builtin_prefetch(&m_slots[Home(id)]);
}

std::size_t IdRegistry::Find(std::int32_t id) const
{
    std::size_t i = Home(id);
    while (m_slots[i] != 0 && m_slots[i] != id)
        i = (i + 1) & (m_slots.size() - 1);
    return i;
}

// The table is a large part of a loaded tree, and slots of four bytes probed in a line stay
// cheap with up to seven in eight taken: entering a file's identifiers takes under five probes
// on average, and at the fullest a search for one not there reads about 32 slots, two or three
// cache lines.
bool IdRegistry::Overfull(std::size_t count, std::size_t size)
{
    return count * 8 > size * 7;
}

void IdRegistry::Grow()
{
    Reserve(m_slots.size());
}

void IdRegistry::Reserve(std::size_t count)
{
    std::size_t size = m_slots.empty() ? 16 : m_slots.size();
    while (Overfull(count + 1, size))
        size *= 2;
    if (size == m_slots.size())
        return;
    Slots old(size);
    old.swap(m_slots);
    m_shift = 32 - std::countr_zero(m_slots.size());
    for (const std::int32_t id : old)
        if (id != 0)
            m_slots[Find(id)] = id;
}

void IdRegistry::Add(std::int32_t id)
{
    if (!m_batching) {
        Insert(id);
        return;
    }
    if (m_pending.size() == FewPending)
        m_pending.reserve(HugePageSize / sizeof(std::int32_t));
    m_pending.push_back(id);
}

void IdRegistry::EnterPending()
{
    if (m_pending.empty())
        return;
    Reserve(m_used + m_pending.size());
    // The identifiers land all over the table: ask for the slots of those a few places on while
    // this one goes in. The table is not grown in the loop, so the slots stay where they are.
    constexpr std::size_t Ahead = 16;
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        if (i + Ahead < m_pending.size())
            PrefetchSlot(m_pending[i + Ahead]);
        Insert(m_pending[i]);
    }
    m_pending.clear();
}

void IdRegistry::Expect(std::size_t count)
{
    EnterPending();
    Reserve(m_used + count);
}

void IdRegistry::EndBatch()
{
    EnterPending();
    m_pending = {};
    m_batching = false;
}

void IdRegistry::Insert(std::int32_t id)
{
    if (id == 0) {
        ++m_zeroHolders;
        return;
    }
    if (Overfull(m_used + 1, m_slots.size()))
        Grow();
    std::int32_t& slot = m_slots[Find(id)];
    if (slot == id) {
        ++m_moreHolders[id];
        return;
    }
    slot = id;
    ++m_used;
}

void IdRegistry::Remove(std::int32_t id)
{
    EnterPending();
    if (id == 0) {
        if (m_zeroHolders > 0)
            --m_zeroHolders;
        return;
    }
    if (const auto more = m_moreHolders.find(id); more != m_moreHolders.end()) {
        if (--more->second == 0)
            m_moreHolders.erase(more);
        return;
    }
    if (m_slots.empty())
        return;
    std::size_t i = Find(id);
    if (m_slots[i] == 0)
        return;
    m_slots[i] = 0;
    --m_used;
    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t j = (i + 1) & mask; m_slots[j] != 0; j = (j + 1) & mask) {
        const std::size_t home = Home(m_slots[j]);
        if (((j - home) & mask) >= ((j - i) & mask)) {
            m_slots[i] = m_slots[j];
            m_slots[j] = 0;
            i = j;
        }
    }
}

bool IdRegistry::InUse(std::int32_t id)
{
    EnterPending();
    if (id == 0)
        return m_zeroHolders > 0;
    return !m_slots.empty() && m_slots[Find(id)] != 0;
}

std::int32_t IdRegistry::Draw()
{
    for (;;) {
        const std::int32_t id = NextCandidate();
        if (id != 0 && !InUse(id))
            return id;
    }
}

// Each candidate's slot is asked for when it is drawn, so that checking it a few draws later
// rarely waits for memory. Which identifiers come out is unchanged: candidates come in the order
// the source gives them, and each is checked against the table only when its turn comes.
std::int32_t IdRegistry::NextCandidate()
{
    EnterPending();
    while (m_aheadCount < m_aheadLimit) {
        const std::int32_t id = DrawCandidate();
        m_ahead[(m_aheadFirst + m_aheadCount++) % DrawAhead] = id;
        if (!m_slots.empty())
            PrefetchSlot(id);
    }
    const std::int32_t id = m_ahead[m_aheadFirst];
    m_aheadFirst = (m_aheadFirst + 1) % DrawAhead;
    --m_aheadCount;
    return id;
}

// Random(65535) * Random(32768). The own engine's one draw makes both: 65535 scaled from 32 bits
// (off uniform by under one part in 65,000), 32768 from 15 bits exactly.
std::int32_t IdRegistry::DrawCandidate()
{
    if (m_random)
        return m_random(65535) * m_random(32768);
    const std::uint64_t bits = m_engine();
    const auto low = static_cast<std::int32_t>(((bits & 0xFFFFFFFFu) * 65535u) >> 32);
    const auto high = static_cast<std::int32_t>(bits >> 49);
    return low * high;
}

} // namespace quillary
