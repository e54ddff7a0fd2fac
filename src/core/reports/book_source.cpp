// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ascii_case.h"
#include "model/category_filter.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "reports/field_value.h"
#include "reports/party_kind.h"
#include "reports/range_items.h"
#include "reports/report_sources.h"

#include <algorithm>

namespace quillary {

namespace {

std::string BookKey(const TKPXObject& party)
{
    if (party.GetKind() != KindPerson)
        return party.GetTitle();
    return FieldValue(party, "Last Name") + ", " + FieldValue(party, "First Name") + " " +
           FieldValue(party, "Middle Name");
}

// Other nodes, and hidden persons and organizations, give their address and phone details.
void AddDetails(const TKPXObject& item, std::vector<ReportEntry>& entries)
{
    for (int i = 0; i < item.ChildCount(); ++i) {
        const TKPXObject* child = item.ChildAt(i);
        const int kind = child->GetKind();
        if ((kind == KindAddress || kind == KindPhone) && !IsFilteredOut(*child))
            entries.push_back({child->GetTitle(), child});
    }
}

bool LessNoCase(const ReportEntry& a, const ReportEntry& b)
{
    return std::lexicographical_compare(a.key.begin(), a.key.end(), b.key.begin(), b.key.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
    });
}

// The first character of UTF-8 text, with its continuation bytes, so a heading is never half
// a letter.
std::string FirstCharacter(const std::string& text)
{
    std::size_t length = text.empty() ? 0 : 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return text.substr(0, length);
}

std::string BookPhone(const TKPXObject& item)
{
    switch (item.GetKind()) {
    case KindPerson:
    case KindOrganization:
        return FieldValue(item, "Phone Number");
    case KindPhone:
        return item.GetTarget();
    default:
        return {};
    }
}

bool HasAddress(const TKPXObject& item)
{
    static constexpr const char* Fields[] = {"Address Line 1", "Address Line 2", "Address Line 3", "City",
                                             "State/Province", "Postal Code",    "Country"};
    return std::any_of(std::begin(Fields), std::end(Fields),
                       [&](const char* field) { return !FieldValue(item, field).empty(); });
}

std::vector<std::string> BookMemo(const TKPXObject& item)
{
    if (item.GetKind() == KindPhone || !HasAddress(item))
        return {};
    return AddressBlock(item, CityLine::WhenCityGiven);
}

} // namespace

std::vector<ReportEntry> BookEntries(const ItemTree& tree, NodeRange range)
{
    std::vector<ReportEntry> entries;
    for (const TKPXObject* item : ItemsIn(tree, range)) {
        if (IsShownParty(*item))
            entries.push_back({BookKey(*item), item});
        else
            AddDetails(*item, entries);
    }
    std::stable_sort(entries.begin(), entries.end(), LessNoCase);
    return entries;
}

BookSource::BookSource(std::vector<ReportEntry> entries) : m_entries(std::move(entries)) {}

bool BookSource::Next(BookRecord& record)
{
    if (m_next >= m_entries.size())
        return false;
    const ReportEntry& entry = m_entries[m_next++];
    record.name = entry.key;
    record.letter = FirstCharacter(entry.key);
    // Compared exactly: "a" and "A" are two headings.
    record.newLetter = record.letter != m_letter;
    m_letter = record.letter;
    record.phone = BookPhone(*entry.item);
    record.memo = BookMemo(*entry.item);
    return true;
}

} // namespace quillary
