// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/rare_byte_search.h"
#include "search/search_item.h"
#include "search/search_query.h"

#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillary {

// One person or organization a query found, and the first of its values that a word matched.
// The texts are views into the index, valid until it next changes (Update, Remove).
struct SearchHit
{
    const TKPXObject* item = nullptr; // the handle of SearchItem::item
    std::int32_t id = 0;
    std::string_view title;
    SearchField field = SearchField::Title;
    std::string_view value;
};

// Every value of every person and organization, folded for matching (FoldForSearch) and, for
// phones and faxes, as digits too. An item matches a query when each word of it is part of one
// of its folded values, in any order.
//
// The index holds copies, never the tree: it can be built from a snapshot on another thread and
// handed over, and is kept current there by Update and Remove as items change. It has no lock:
// one thread at a time changes it, while const calls may run side by side.
class SearchIndex
{
public:
    SearchIndex() = default;
    explicit SearchIndex(std::vector<SearchItem> items);

    // Puts the item's new values in place of those it had, or adds it; an item without values
    // (not even its title) is removed.
    void Update(const SearchItem& item);
    void Remove(const TKPXObject* item);
    std::size_t Size() const { return m_places.size(); }

    // The items the query matches, at most limit of them: in the snapshot's order, items changed or
    // added since then after them. A query of no words matches nothing.
    std::vector<SearchHit> Find(std::string_view query,
                                std::size_t limit = std::numeric_limits<std::size_t>::max()) const;

private:
    // One value: its folded text in m_folded, ended by a line feed, which no folded text holds, so
    // a word never matches across two values; the text as given in m_raw, or, where folding left
    // it as it was (addresses, numbers), the folded text itself.
    struct Value
    {
        SearchField field = SearchField::Title;
        bool digits = false;   // the digits of the phone or fax before it
        bool asFolded = false; // the folded text is the text as given
        std::uint32_t foldedEnd = 0;
        std::uint32_t rawEnd = 0;
    };
    // An item's values lie side by side in the three stores; a changed item's are written anew at
    // their ends, and the stores are compacted, in the snapshot's order, once more than half of
    // them is left over.
    struct Entry
    {
        const TKPXObject* item = nullptr; // none for a free place
        std::int32_t id = 0;
        std::uint32_t foldedBegin = 0, foldedEnd = 0;
        std::uint32_t rawBegin = 0;
        std::uint32_t valuesBegin = 0, valuesEnd = 0;
    };
    // Who owns the folded text from begin on, up to the next owner's: a slot of m_entries, or
    // none for text left over from a changed or removed item.
    struct Owner
    {
        std::uint32_t begin = 0;
        std::uint32_t slot = 0;
    };
    static constexpr std::uint32_t NoSlot = std::numeric_limits<std::uint32_t>::max();
    void Place(std::size_t slot, const Entry& entry);
    Entry Append(const TKPXObject* item, std::int32_t id, std::span<const SearchItemValue> values);
    void Release(const Entry& entry);
    void CompactWhenSparse();
    std::size_t FirstMatch(const Entry& entry, std::string_view needle, bool digits) const;
    std::size_t MatchOf(const Entry& entry, const std::vector<SearchWord>& words) const;
    void Collect(std::vector<SearchHit>& hits, const Entry& entry, const std::vector<SearchWord>& words) const;
    void ScanEntries(std::vector<SearchHit>& hits, const std::vector<SearchWord>& words, std::size_t limit) const;
    void ScanText(std::vector<SearchHit>& hits, const std::vector<SearchWord>& words, std::string_view needle,
                  std::size_t limit) const;
    std::string_view RawText(const Entry& entry, std::size_t value) const;

    std::vector<Entry> m_entries;
    std::unordered_map<const TKPXObject*, std::size_t> m_places;
    std::vector<std::size_t> m_free;
    std::string m_folded;
    std::string m_raw;
    std::vector<Value> m_values;
    std::vector<Owner> m_owners; // by begin, as the folded text was written
    ByteCounts m_byteCounts{};   // of all folded text written, which a scan looks for its rarest byte by
    std::size_t m_unusedBytes = 0; // of released entries, still in the stores
};

} // namespace quillary
