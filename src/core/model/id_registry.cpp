// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/id_registry.h"

#include <random>

namespace quillary {

IdRegistry::IdRegistry()
{
    m_random = [engine = std::mt19937(std::random_device{}())](std::int32_t bound) mutable {
        return std::uniform_int_distribution<std::int32_t>(0, bound - 1)(engine);
    };
}

void IdRegistry::Add(std::int32_t id)
{
    ++m_counts[id];
}

void IdRegistry::Remove(std::int32_t id)
{
    auto it = m_counts.find(id);
    if (it != m_counts.end() && --it->second == 0)
        m_counts.erase(it);
}

bool IdRegistry::InUse(std::int32_t id) const
{
    return m_counts.contains(id);
}

std::int32_t IdRegistry::Draw()
{
    for (;;) {
        const std::int32_t id = m_random(65535) * m_random(32768);
        if (id != 0 && !InUse(id))
            return id;
    }
}

} // namespace quillary
