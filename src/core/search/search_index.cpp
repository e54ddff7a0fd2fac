// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_index.h"

#include "search/rare_byte_search.h"
#include "search/search_folding.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillary {

namespace {

constexpr std::size_t NoValue = std::numeric_limits<std::size_t>::max();

// Places in the stores are kept in four bytes each: an index is for address books, not for 4 GiB.
std::uint32_t Offset(std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("the search index cannot hold more than 4 GiB of text");
    return static_cast<std::uint32_t>(size);
}

} // namespace

SearchIndex::SearchIndex(std::vector<SearchItem> items)
{
    m_entries.reserve(items.size());
    m_places.reserve(items.size());
    for (SearchItem& item : items) {
        Update(item);
        // Each copy goes once it is folded, so the snapshot and the index are not held whole side by side.
        item.values = {};
    }
    m_folded.shrink_to_fit();
    m_raw.shrink_to_fit();
    m_values.shrink_to_fit();
}

void SearchIndex::Update(const SearchItem& item)
{
    if (item.values.empty()) {
        Remove(item.item);
        return;
    }
    const auto known = m_places.find(item.item);
    std::size_t slot = m_entries.size();
    if (known != m_places.end()) {
        slot = known->second;
        Release(m_entries[slot]);
    } else if (!m_free.empty()) {
        slot = m_free.back();
        m_free.pop_back();
    }
    Place(slot, Append(item.item, item.id, item.values));
    if (known == m_places.end())
        m_places.emplace(item.item, slot);
    CompactWhenSparse();
}

void SearchIndex::Remove(const TKPXObject* item)
{
    const auto known = m_places.find(item);
    if (known == m_places.end())
        return;
    Release(m_entries[known->second]);
    m_entries[known->second] = Entry{};
    m_free.push_back(known->second);
    m_places.erase(known);
    CompactWhenSparse();
}

void SearchIndex::Place(std::size_t slot, const Entry& entry)
{
    if (slot == m_entries.size())
        m_entries.push_back(entry);
    else
        m_entries[slot] = entry;
    m_owners.push_back({entry.foldedBegin, Offset(slot)});
}

SearchIndex::Entry SearchIndex::Append(const TKPXObject* item, std::int32_t id,
                                       std::span<const SearchItemValue> values)
{
    Entry entry{item, id, Offset(m_folded.size()), 0, Offset(m_raw.size()), Offset(m_values.size()), 0};
    const auto add = [this](SearchField field, bool digits, std::string_view folded, std::string_view raw) {
        m_folded += folded;
        m_folded += '\n';
        CountBytes(m_byteCounts, folded);
        const bool asFolded = digits || folded == raw;
        if (!asFolded)
            m_raw += raw;
        m_values.push_back({field, digits, asFolded, Offset(m_folded.size()), Offset(m_raw.size())});
    };
    for (const SearchItemValue& value : values) {
        add(value.field, false, FoldForSearch(value.value), value.value);
        if (IsNumberField(value.field))
            add(value.field, true, PhoneDigits(value.value), {});
    }
    entry.foldedEnd = Offset(m_folded.size());
    entry.valuesEnd = Offset(m_values.size());
    return entry;
}

void SearchIndex::Release(const Entry& entry)
{
    const std::size_t rawEnd = m_values[entry.valuesEnd - 1].rawEnd;
    m_unusedBytes += entry.foldedEnd - entry.foldedBegin + rawEnd - entry.rawBegin +
                     (entry.valuesEnd - entry.valuesBegin) * sizeof(Value) + sizeof(Owner);
    const auto owner = std::lower_bound(m_owners.begin(), m_owners.end(), entry.foldedBegin,
                                        [](const Owner& o, std::uint32_t begin) { return o.begin < begin; });
    owner->slot = NoSlot;
}

void SearchIndex::CompactWhenSparse()
{
    const std::size_t stored =
        m_folded.size() + m_raw.size() + m_values.size() * sizeof(Value) + m_owners.size() * sizeof(Owner);
    if (m_unusedBytes * 2 <= stored)
        return;
    SearchIndex compact;
    for (std::size_t slot = 0; slot < m_entries.size(); ++slot) {
        Entry& entry = m_entries[slot];
        if (!entry.item)
            continue;
        const std::uint32_t rawEnd = m_values[entry.valuesEnd - 1].rawEnd;
        // Unsigned arithmetic: a shift down wraps back into range.
        const std::uint32_t foldedShift = Offset(compact.m_folded.size()) - entry.foldedBegin;
        const std::uint32_t rawShift = Offset(compact.m_raw.size()) - entry.rawBegin;
        compact.m_folded.append(m_folded, entry.foldedBegin, entry.foldedEnd - entry.foldedBegin);
        compact.m_raw.append(m_raw, entry.rawBegin, rawEnd - entry.rawBegin);
        const std::uint32_t valuesBegin = Offset(compact.m_values.size());
        for (std::uint32_t i = entry.valuesBegin; i < entry.valuesEnd; ++i) {
            Value value = m_values[i];
            value.foldedEnd += foldedShift;
            value.rawEnd += rawShift;
            compact.m_values.push_back(value);
        }
        entry = {entry.item,  entry.id,    entry.foldedBegin + foldedShift, entry.foldedEnd + foldedShift,
                 entry.rawBegin + rawShift, valuesBegin, valuesBegin + (entry.valuesEnd - entry.valuesBegin)};
        compact.m_owners.push_back({entry.foldedBegin, Offset(slot)});
    }
    m_folded = std::move(compact.m_folded);
    m_raw = std::move(compact.m_raw);
    m_values = std::move(compact.m_values);
    m_owners = std::move(compact.m_owners);
    m_unusedBytes = 0;
}

// The first value of the entry holding needle: among the digits of phones and faxes (then the
// phone or fax itself), or among the folded texts.
std::size_t SearchIndex::FirstMatch(const Entry& entry, std::string_view needle, bool digits) const
{
    const char* const base = m_folded.data();
    const char* const end = base + entry.foldedEnd;
    const auto values = m_values.begin() + entry.valuesBegin;
    const auto valuesEnd = m_values.begin() + entry.valuesEnd;
    for (const char* from = base + entry.foldedBegin;;) {
        const void* found = memmem(from, static_cast<std::size_t>(end - from), needle.data(), needle.size());
        if (!found)
            return NoValue;
        const auto at = static_cast<std::uint32_t>(static_cast<const char*>(found) - base);
        const auto value = std::upper_bound(values, valuesEnd, at,
                                            [](std::uint32_t pos, const Value& v) { return pos < v.foldedEnd; });
        if (value->digits == digits)
            return static_cast<std::size_t>(value - values) - (digits ? 1 : 0);
        from = base + value->foldedEnd;
    }
}

// The first value of the entry that a word matches, when every word matches one.
std::size_t SearchIndex::MatchOf(const Entry& entry, const std::vector<SearchWord>& words) const
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

std::string_view SearchIndex::RawText(const Entry& entry, std::size_t value) const
{
    const std::size_t at = entry.valuesBegin + value;
    const Value& shown = m_values[at];
    if (shown.asFolded) {
        const std::uint32_t begin = value == 0 ? entry.foldedBegin : m_values[at - 1].foldedEnd;
        return std::string_view(m_folded).substr(begin, shown.foldedEnd - 1 - begin);
    }
    const std::uint32_t begin = value == 0 ? entry.rawBegin : m_values[at - 1].rawEnd;
    return std::string_view(m_raw).substr(begin, shown.rawEnd - begin);
}

void SearchIndex::Collect(std::vector<SearchHit>& hits, const Entry& entry,
                          const std::vector<SearchWord>& words) const
{
    if (const std::size_t value = MatchOf(entry, words); value != NoValue)
        hits.push_back({entry.item, entry.id, RawText(entry, 0), m_values[entry.valuesBegin + value].field,
                        RawText(entry, value)});
}

// Each item in turn: for queries whose every word is a number written with punctuation, which
// has two forms to look for.
void SearchIndex::ScanEntries(std::vector<SearchHit>& hits, const std::vector<SearchWord>& words,
                              std::size_t limit) const
{
    for (const Owner& owner : m_owners) {
        if (hits.size() >= limit)
            return;
        if (owner.slot != NoSlot)
            Collect(hits, m_entries[owner.slot], words);
    }
}

// The folded text of all items at once, for one form of one word: only the items it turns up in
// are matched against the whole query.
void SearchIndex::ScanText(std::vector<SearchHit>& hits, const std::vector<SearchWord>& words,
                           std::string_view needle, std::size_t limit) const
{
    const RareByteSearch search(needle, m_byteCounts);
    const std::size_t size = m_folded.size();
    for (std::size_t from = 0; from < size && hits.size() < limit;) {
        const std::size_t found = search.Find(m_folded, from);
        if (found == std::string_view::npos)
            return;
        const auto at = static_cast<std::uint32_t>(found);
        const auto next = std::upper_bound(m_owners.begin(), m_owners.end(), at,
                                           [](std::uint32_t pos, const Owner& o) { return pos < o.begin; });
        from = next == m_owners.end() ? size : next->begin;
        const Owner& owner = *(next - 1);
        if (owner.slot != NoSlot)
            Collect(hits, m_entries[owner.slot], words);
    }
}

std::vector<SearchHit> SearchIndex::Find(std::string_view query, std::size_t limit) const
{
    const std::vector<SearchWord> words = ParseSearchQuery(query);
    std::vector<SearchHit> hits;
    // The scan is led by the word with one form to look for (a number without punctuation has the
    // same form among texts and digits) whose rarest byte is rarest in the index.
    const auto rarity = [this](const SearchWord& word) {
        std::size_t least = std::numeric_limits<std::size_t>::max();
        for (const char c : word.text)
            least = std::min(least, m_byteCounts[static_cast<unsigned char>(c)]);
        return least;
    };
    auto leading = words.end();
    for (auto word = words.begin(); word != words.end(); ++word)
        if ((word->digits.empty() || word->digits == word->text) &&
            (leading == words.end() || rarity(*word) < rarity(*leading)))
            leading = word;
    if (leading != words.end())
        ScanText(hits, words, leading->text, limit);
    else if (!words.empty())
        ScanEntries(hits, words, limit);
    return hits;
}

} // namespace quillary
