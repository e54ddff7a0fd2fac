// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/search_item.h"
#include "search/search_query.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillary {

// One person or organization a query found, and the first of its values that a word matched.
struct SearchHit
{
    const TKPXObject* item = nullptr; // the handle of SearchItem::item
    std::int32_t id = 0;
    std::string title;
    SearchField field = SearchField::Title;
    std::string value;
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

    // Puts the item's new values in place of those it had, or adds it.
    void Update(const SearchItem& item);
    void Remove(const TKPXObject* item);
    std::size_t Size() const { return m_places.size(); }

    // The items the query matches, at most limit of them, in the snapshot's order (items added
    // later come in places that removed ones left). A query of no words matches nothing.
    std::vector<SearchHit> Find(std::string_view query,
                                std::size_t limit = std::numeric_limits<std::size_t>::max()) const;

private:
    struct Value
    {
        SearchField field = SearchField::Title;
        bool digits = false; // the digits of the phone or fax before it
        std::uint32_t rawBegin = 0;
        std::uint32_t rawEnd = 0;
        std::uint32_t foldedEnd = 0; // one past the line feed that ends it
    };
    // One item's values: as given, one after another, and folded, each ended by a line feed, which
    // no folded text holds, so a word never matches across two values.
    struct Entry
    {
        const TKPXObject* item = nullptr; // none for a free place
        std::int32_t id = 0;
        std::string raw;
        std::string folded;
        std::vector<Value> values;
    };
    static Entry EntryOf(const SearchItem& item);
    static std::size_t FirstMatch(const Entry& entry, std::string_view needle, bool digits);
    static std::size_t MatchOf(const Entry& entry, const std::vector<SearchWord>& words);
    static SearchHit HitOf(const Entry& entry, std::size_t value);

    std::vector<Entry> m_entries;
    std::unordered_map<const TKPXObject*, std::size_t> m_places;
    std::vector<std::size_t> m_free;
};

} // namespace quillary
