// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_row_reason.h"

#include "common/ascii_case.h"
#include "links/web_link.h"
#include "model/field_record.h"
#include "model/item_kind.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace quillary {

namespace {
std::string Quoted(std::string_view field)
{
    return "\"" + std::string(field) + "\"";
}

bool HasColumn(const FieldRecord& record, std::string_view field)
{
    return std::any_of(record.names.begin(), record.names.end(),
                       [&](const std::string& name) { return EqualsNoCase(name, field); });
}

// Why a field the kind cannot do without refuses the row, or empty when it holds a value.
std::string Required(const FieldRecord& record, std::string_view field)
{
    if (!HasColumn(record, field))
        return "no column for " + Quoted(field);
    const auto value = record.Get(field);
    if (!value)
        return "no value for " + Quoted(field);
    return value->empty() ? Quoted(field) + " is empty" : std::string();
}

// The first reason given, or empty when there is none.
std::string FirstOf(std::initializer_list<std::string> reasons)
{
    for (const std::string& reason : reasons)
        if (!reason.empty())
            return reason;
    return {};
}

// Title columns that are there but empty; a missing one gives the kind's own title.
std::string EmptyTitle(const FieldRecord& record)
{
    const auto title = record.Get("Title");
    return title && title->empty() ? Quoted("Title") + " is empty" : std::string();
}

std::string KnownReason(int kind, const FieldRecord& record)
{
    switch (kind) {
    case KindPerson:
        return "no first or last name";
    case KindOrganization:
        return Required(record, "Title");
    case KindAddress:
        return FirstOf({Required(record, "Address Line 1"), EmptyTitle(record)});
    case KindPhone:
        return FirstOf({Required(record, "Title"), Required(record, "Phone Number")});
    case KindFax:
        return FirstOf({Required(record, "Title"), Required(record, "Fax Number")});
    case KindEMail:
        // Without a title column the title is the part of the address before "@".
        return FirstOf({Required(record, "E-Mail Address"), EmptyTitle(record),
                        Quoted("E-Mail Address") + " has nothing before \"@\""});
    case KindWebsite:
        return FirstOf({Required(record, "Website"), WebsiteProblem(record), EmptyTitle(record)});
    default:
        return {};
    }
}
} // namespace

std::string WebsiteProblem(const FieldRecord& record)
{
    const auto url = record.Get("Website");
    const auto problem = url ? LinkProblem(*url) : std::nullopt;
    return problem ? *problem : std::string();
}

std::string RejectedRowReason(int kind, const FieldRecord& record)
{
    std::string reason = KnownReason(kind, record);
    return reason.empty() ? "a " + std::string(KindName(kind)) + " cannot be read from a row" : reason;
}

} // namespace quillary
