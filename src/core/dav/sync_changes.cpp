// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/sync_changes.h"

#include "dav/dav_multistatus.h"

#include <algorithm>
#include <vector>

namespace quillary {

SyncChanges::SyncChanges(std::size_t knownCards)
    : m_limit(std::min(MaxDavEntries, knownCards * 2 + Margin))
{
}

void SyncChanges::BeginRound()
{
    ++m_rounds;
    m_roundBroughtNews = false;
}

void SyncChanges::Note(std::string href, std::string etag, bool removed)
{
    const auto [it, made] = m_entries.try_emplace(std::move(href));
    Entry& entry = it->second;
    if (made || entry.removed != removed || entry.etag != etag)
        m_roundBroughtNews = true;
    entry.etag = std::move(etag);
    entry.removed = removed;
    entry.named = ++m_named;
}

void SyncChanges::Changed(std::string href, std::string etag)
{
    Note(std::move(href), std::move(etag), false);
}

void SyncChanges::Removed(std::string href)
{
    Note(std::move(href), {}, true);
}

bool SyncChanges::Outgrown() const
{
    return m_rounds > 1 && m_entries.size() > m_limit;
}

std::string SyncChanges::Problem() const
{
    if (!Outgrown())
        return {};
    return "the server's truncated list of changes names more than " + std::to_string(m_limit) +
           " cards, more than the address book held";
}

std::string SyncChanges::AfterTruncatedRound()
{
    if (m_rounds >= MaxRounds)
        return "the server truncated its list of changes " + std::to_string(m_rounds) + " times";
    if (m_roundBroughtNews)
        return {};
    return "the server keeps truncating its list of changes without sending any that are new";
}

DavChanges SyncChanges::Take(std::string syncToken)
{
    std::vector<std::pair<std::size_t, std::unordered_map<std::string, Entry>::iterator>> order;
    order.reserve(m_entries.size());
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        order.emplace_back(it->second.named, it);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    DavChanges changes;
    for (auto& [named, it] : order) {
        if (it->second.removed)
            changes.removed.push_back(it->first);
        else
            changes.changed.push_back({it->first, std::move(it->second.etag), {}, {}});
    }
    changes.syncToken = std::move(syncToken);
    m_entries.clear();
    return changes;
}

} // namespace quillary
