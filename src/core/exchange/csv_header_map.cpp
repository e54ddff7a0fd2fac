// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_header_map.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"
#include "exchange/csv_numbered_columns.h"
#include "exchange/record_types.h"
#include "model/item_kind.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace quillary {

namespace {
enum class Scope { AnyKind, NotOrganization, OrganizationOnly };

struct Alias
{
    std::string_view column;
    std::string_view field;
    Scope scope = Scope::AnyKind;
    // For a detail of a person or organization: the title it takes, which is also the group of
    // columns it is read from (Outlook's "Home Street" and "Home City" make one address "Home").
    std::string_view title = {};
};

// Columns of other programs' exports. The numbered groups of Google's exports ("Phone 1 - Value",
// "Address 2 - City" ...) are read by ParseNumberedColumn. Company, job title and suffix columns
// map onto the person's fields of those names, so they are read once a person has such a field
// and listed as ignored until then.
constexpr Alias Aliases[] = {
    {"Name", "Title", Scope::NotOrganization},
    {"Display Name", "Title", Scope::NotOrganization},
    {"Company", "Title", Scope::OrganizationOnly},
    {"Organization", "Title", Scope::OrganizationOnly},
    {"Organization Name", "Title", Scope::OrganizationOnly},
    {"Organization 1 - Name", "Title", Scope::OrganizationOnly},
    {"Company", "Company", Scope::NotOrganization},
    {"Organization", "Company", Scope::NotOrganization},
    {"Organization Name", "Company", Scope::NotOrganization},
    {"Organization 1 - Name", "Company", Scope::NotOrganization},
    {"Organization Title", "Job Title", Scope::NotOrganization},
    {"Organization 1 - Title", "Job Title", Scope::NotOrganization},
    {"Job Title", "Job Title", Scope::NotOrganization},
    {"Name Suffix", "Suffix", Scope::NotOrganization},
    {"Suffix", "Suffix", Scope::NotOrganization},
    {"Name Prefix", "Salutation"},
    {"Given Name", "First Name"},
    {"Additional Name", "Middle Name"},
    {"Family Name", "Last Name"},
    {"Notes", "Comment"},
    {"E-mail Address", "E-Mail Address", Scope::AnyKind, "E-mail"},
    {"E-mail 2 Address", "E-Mail Address", Scope::AnyKind, "E-mail 2"},
    {"E-mail 3 Address", "E-Mail Address", Scope::AnyKind, "E-mail 3"},
    {"Primary Email", "E-Mail Address", Scope::AnyKind, "E-mail"},
    {"Secondary Email", "E-Mail Address", Scope::AnyKind, "E-mail 2"},
    {"Business Phone", "Phone Number", Scope::AnyKind, "Business"},
    {"Business Phone 2", "Phone Number", Scope::AnyKind, "Business 2"},
    {"Home Phone", "Phone Number", Scope::AnyKind, "Home"},
    {"Home Phone 2", "Phone Number", Scope::AnyKind, "Home 2"},
    {"Mobile Phone", "Phone Number", Scope::AnyKind, "Mobile"},
    {"Primary Phone", "Phone Number", Scope::AnyKind, "Primary"},
    {"Other Phone", "Phone Number", Scope::AnyKind, "Other"},
    {"Car Phone", "Phone Number", Scope::AnyKind, "Car"},
    {"Company Main Phone", "Phone Number", Scope::AnyKind, "Company Main"},
    {"Pager", "Phone Number", Scope::AnyKind, "Pager"},
    {"Work Phone", "Phone Number", Scope::AnyKind, "Work"},
    {"Mobile Number", "Phone Number", Scope::AnyKind, "Mobile"},
    {"Pager Number", "Phone Number", Scope::AnyKind, "Pager"},
    {"Assistant's Phone", "Phone Number", Scope::AnyKind, "Assistant"},
    {"Callback", "Phone Number", Scope::AnyKind, "Callback"},
    {"ISDN", "Phone Number", Scope::AnyKind, "ISDN"},
    {"Radio Phone", "Phone Number", Scope::AnyKind, "Radio"},
    {"Telex", "Phone Number", Scope::AnyKind, "Telex"},
    {"TTY/TDD Phone", "Phone Number", Scope::AnyKind, "TTY/TDD"},
    {"Fax Number", "Fax Number", Scope::AnyKind, "Fax"},
    {"Business Fax", "Fax Number", Scope::AnyKind, "Business Fax"},
    {"Home Fax", "Fax Number", Scope::AnyKind, "Home Fax"},
    {"Other Fax", "Fax Number", Scope::AnyKind, "Other Fax"},
    {"Business Street", "Address Line 1", Scope::AnyKind, "Business"},
    {"Home Street", "Address Line 1", Scope::AnyKind, "Home"},
    {"Other Street", "Address Line 1", Scope::AnyKind, "Other"},
    {"Home Address", "Address Line 1", Scope::AnyKind, "Home"},
    {"Work Address", "Address Line 1", Scope::AnyKind, "Work"},
    {"Business Street 2", "Address Line 2", Scope::AnyKind, "Business"},
    {"Home Street 2", "Address Line 2", Scope::AnyKind, "Home"},
    {"Other Street 2", "Address Line 2", Scope::AnyKind, "Other"},
    {"Home Address 2", "Address Line 2", Scope::AnyKind, "Home"},
    {"Work Address 2", "Address Line 2", Scope::AnyKind, "Work"},
    {"Business Street 3", "Address Line 3", Scope::AnyKind, "Business"},
    {"Home Street 3", "Address Line 3", Scope::AnyKind, "Home"},
    {"Other Street 3", "Address Line 3", Scope::AnyKind, "Other"},
    {"Business Address PO Box", "Address Line 3", Scope::AnyKind, "Business"},
    {"Home Address PO Box", "Address Line 3", Scope::AnyKind, "Home"},
    {"Other Address PO Box", "Address Line 3", Scope::AnyKind, "Other"},
    {"Business City", "City", Scope::AnyKind, "Business"},
    {"Home City", "City", Scope::AnyKind, "Home"},
    {"Other City", "City", Scope::AnyKind, "Other"},
    {"Work City", "City", Scope::AnyKind, "Work"},
    {"Business State", "State/Province", Scope::AnyKind, "Business"},
    {"Home State", "State/Province", Scope::AnyKind, "Home"},
    {"Other State", "State/Province", Scope::AnyKind, "Other"},
    {"Work State", "State/Province", Scope::AnyKind, "Work"},
    {"Business Postal Code", "Postal Code", Scope::AnyKind, "Business"},
    {"Home Postal Code", "Postal Code", Scope::AnyKind, "Home"},
    {"Other Postal Code", "Postal Code", Scope::AnyKind, "Other"},
    {"Home ZipCode", "Postal Code", Scope::AnyKind, "Home"},
    {"Work ZipCode", "Postal Code", Scope::AnyKind, "Work"},
    {"Business Country/Region", "Country", Scope::AnyKind, "Business"},
    {"Home Country/Region", "Country", Scope::AnyKind, "Home"},
    {"Other Country/Region", "Country", Scope::AnyKind, "Other"},
    {"Home Country", "Country", Scope::AnyKind, "Home"},
    {"Work Country", "Country", Scope::AnyKind, "Work"},
    {"Web Page", "Website", Scope::AnyKind, "Web Page"},
    {"Web Page 1", "Website", Scope::AnyKind, "Web Page"},
    {"Web Page 2", "Website", Scope::AnyKind, "Web Page 2"},
    {"Birth Year", "Birthday"},
    {"Birth Month", "Birthday"},
    {"Birth Day", "Birthday"},
};

// Columns only Outlook writes; their presence makes "Title" the salutation.
constexpr std::string_view OutlookColumns[] = {"Business Street", "Home Street", "Business Phone", "Mobile Phone",
                                               "Web Page"};
// Columns only Thunderbird writes.
constexpr std::string_view ThunderbirdColumns[] = {"Primary Email", "Mobile Number", "Home ZipCode", "Work ZipCode",
                                                   "Web Page 1"};

bool InScope(Scope scope, int kind)
{
    return scope == Scope::AnyKind || (scope == Scope::OrganizationOnly) == (kind == KindOrganization);
}

bool HasAnyOf(const std::vector<std::string>& header, std::span<const std::string_view> columns)
{
    return std::any_of(header.begin(), header.end(), [&](const std::string& column) {
        return std::any_of(columns.begin(), columns.end(),
                           [&](std::string_view known) { return EqualsNoCase(TrimBlanks(column), known); });
    });
}

// The field a column fills among the offered ones, or empty: this program's own names (in any
// case), the numbered groups of Google's exports, then other programs' names.
std::string_view FieldOfColumn(std::string_view column, int kind, bool outlook,
                               const std::vector<std::string_view>& offered)
{
    if (outlook && EqualsNoCase(column, "Title"))
        return "Salutation";
    for (const std::string_view field : offered)
        if (EqualsNoCase(column, field))
            return field;
    if (const auto numbered = ParseNumberedColumn(column))
        return numbered->field;
    for (const Alias& alias : Aliases)
        if (EqualsNoCase(column, alias.column) && InScope(alias.scope, kind))
            return alias.field;
    return {};
}

// The title of the detail a column of a known export fills, or empty. This program's own "E-Mail
// Address" and "Fax Number" read like Outlook's "E-mail Address" and Thunderbird's "Fax Number",
// which they are only in those programs' files.
std::string_view TitleOfColumn(std::string_view column, bool foreign)
{
    for (const Alias& alias : Aliases)
        if (!alias.title.empty() && EqualsNoCase(column, alias.column) &&
            (foreign || !EqualsNoCase(column, alias.field)))
            return alias.title;
    return {};
}
} // namespace

std::vector<std::string_view> ImportFields(int kind)
{
    std::vector<std::string_view> fields;
    if (const RecordType* type = RecordTypeOfKind(kind))
        fields.assign(type->fields.begin(), type->fields.end());
    if (kind == KindPerson || kind == KindOrganization)
        fields.push_back(LabelField);
    if (kind == KindPerson)
        fields.insert(fields.end(), {BirthdayField, AnniversaryField});
    return fields;
}

CsvHeaderMapping MapCsvHeader(const std::vector<std::string>& header, int kind)
{
    const std::vector<std::string_view> offered = ImportFields(kind);
    const bool outlook = HasAnyOf(header, OutlookColumns);
    const bool foreign = outlook || HasAnyOf(header, ThunderbirdColumns);
    CsvHeaderMapping mapping;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view column = TrimBlanks(header[i]);
        const std::string_view field = FieldOfColumn(column, kind, outlook, offered);
        mapping.titles.emplace_back(TitleOfColumn(column, foreign));
        if (std::find(offered.begin(), offered.end(), field) != offered.end()) {
            mapping.fields.emplace_back(field);
            continue;
        }
        mapping.fields.emplace_back();
        mapping.ignored.push_back(column.empty() ? "column " + std::to_string(i + 1) : std::string(column));
    }
    return mapping;
}

} // namespace quillary
