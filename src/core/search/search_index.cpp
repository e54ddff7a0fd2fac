// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_index.h"

#include "search/search_folding.h"
#include "search/search_query.h"

#include <algorithm>

namespace quillary {

namespace {

constexpr std::size_t NoValue = std::numeric_limits<std::size_t>::max();

} // namespace

SearchIndex::SearchIndex(std::vector<SearchItem> items)
{
    m_entries.reserve(items.size());
    m_places.reserve(items.size());
    for (SearchItem& item : items) {
        Update(item);
        // The copy is folded: its values go at once, so the snapshot and the index are not held whole
        // side by side.
        item.values = {};
    }
}

void SearchIndex::Update(const SearchItem& item)
{
    const auto known = m_places.find(item.item);
    if (known != m_places.end()) {
        m_entries[known->second] = EntryOf(item);
        return;
    }
    std::size_t place = m_entries.size();
    if (m_free.empty()) {
        m_entries.push_back(EntryOf(item));
    } else {
        place = m_free.back();
        m_free.pop_back();
        m_entries[place] = EntryOf(item);
    }
    m_places.emplace(item.item, place);
}

void SearchIndex::Remove(const TKPXObject* item)
{
    const auto known = m_places.find(item);
    if (known == m_places.end())
        return;
    m_entries[known->second] = Entry{};
    m_free.push_back(known->second);
    m_places.erase(known);
}

SearchIndex::Entry SearchIndex::EntryOf(const SearchItem& item)
{
    Entry entry{item.item, item.id, {}, {}, {}};
    const auto add = [&entry](SearchField field, bool digits, std::size_t rawBegin, std::string_view folded) {
        entry.folded += folded;
        entry.folded += '\n';
        entry.values.push_back({field, digits, static_cast<std::uint32_t>(rawBegin),
                                static_cast<std::uint32_t>(entry.raw.size()),
                                static_cast<std::uint32_t>(entry.folded.size())});
    };
    for (const SearchItemValue& value : item.values) {
        const std::size_t rawBegin = entry.raw.size();
        entry.raw += value.value;
        add(value.field, false, rawBegin, FoldForSearch(value.value));
        if (IsNumberField(value.field))
            add(value.field, true, rawBegin, PhoneDigits(value.value));
    }
    return entry;
}

// The first value holding needle: among the digits of phones and faxes, or among the folded texts.
std::size_t SearchIndex::FirstMatch(const Entry& entry, std::string_view needle, bool digits)
{
    const std::string_view folded = entry.folded;
    for (std::size_t from = 0;;) {
        const std::size_t at = folded.find(needle, from);
        if (at == std::string_view::npos)
            return NoValue;
        const auto value = std::upper_bound(entry.values.begin(), entry.values.end(), at,
                                            [](std::size_t pos, const Value& v) { return pos < v.foldedEnd; });
        if (value->digits == digits)
            return static_cast<std::size_t>(value - entry.values.begin());
        from = value->foldedEnd;
    }
}

SearchHit SearchIndex::HitOf(const Entry& entry, std::size_t value)
{
    const Value& title = entry.values.front();
    const Value& found = entry.values[value];
    const std::string_view raw = entry.raw;
    return {entry.item, entry.id, std::string(raw.substr(title.rawBegin, title.rawEnd - title.rawBegin)), found.field,
            std::string(raw.substr(found.rawBegin, found.rawEnd - found.rawBegin))};
}

// The first value of the entry that a word matches, when every word matches one.
std::size_t SearchIndex::MatchOf(const Entry& entry, const std::vector<SearchWord>& words)
{
    std::size_t first = NoValue;
    for (const SearchWord& word : words) {
        std::size_t at = FirstMatch(entry, word.text, false);
        if (!word.digits.empty())
            at = std::min(at, FirstMatch(entry, word.digits, true));
        if (at == NoValue)
            return NoValue;
        first = std::min(first, at);
    }
    return first;
}

std::vector<SearchHit> SearchIndex::Find(std::string_view query, std::size_t limit) const
{
    const std::vector<SearchWord> words = ParseSearchQuery(query);
    std::vector<SearchHit> hits;
    if (words.empty())
        return hits;
    for (const Entry& entry : m_entries) {
        if (hits.size() >= limit)
            break;
        if (!entry.item)
            continue;
        if (const std::size_t value = MatchOf(entry, words); value != NoValue)
            hits.push_back(HitOf(entry, value));
    }
    return hits;
}

} // namespace quillary
