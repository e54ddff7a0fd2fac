// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_header_map.h"

#include "common/ascii_case.h"
#include "exchange/record_types.h"
#include "model/item_kind.h"

#include <algorithm>
#include <string_view>

namespace quillary {

namespace {
enum class Scope { AnyKind, NotOrganization, OrganizationOnly };

struct Alias
{
    std::string_view column;
    std::string_view field;
    Scope scope = Scope::AnyKind;
};

// Columns of other programs' exports. Where a program offers several columns for one field, all
// of them map onto it; a row takes the first that holds a value, in file order, which in these
// programs' exports puts Outlook's business columns before its home ones and the first of Google's
// numbered values before the later ones.
constexpr Alias Aliases[] = {
    {"Name", "Title", Scope::NotOrganization},
    {"Display Name", "Title", Scope::NotOrganization},
    {"Company", "Title", Scope::OrganizationOnly},
    {"Organization", "Title", Scope::OrganizationOnly},
    {"Organization Name", "Title", Scope::OrganizationOnly},
    {"Organization 1 - Name", "Title", Scope::OrganizationOnly},
    {"Name Prefix", "Salutation"},
    {"Given Name", "First Name"},
    {"Additional Name", "Middle Name"},
    {"Family Name", "Last Name"},
    {"Notes", "Comment"},
    {"E-mail 1 - Value", "E-Mail Address"},
    {"E-mail 2 - Value", "E-Mail Address"},
    {"E-mail 2 Address", "E-Mail Address"},
    {"E-mail 3 Address", "E-Mail Address"},
    {"Primary Email", "E-Mail Address"},
    {"Secondary Email", "E-Mail Address"},
    {"Phone 1 - Value", "Phone Number"},
    {"Phone 2 - Value", "Phone Number"},
    {"Business Phone", "Phone Number"},
    {"Business Phone 2", "Phone Number"},
    {"Home Phone", "Phone Number"},
    {"Home Phone 2", "Phone Number"},
    {"Mobile Phone", "Phone Number"},
    {"Primary Phone", "Phone Number"},
    {"Other Phone", "Phone Number"},
    {"Work Phone", "Phone Number"},
    {"Mobile Number", "Phone Number"},
    {"Business Fax", "Fax Number"},
    {"Home Fax", "Fax Number"},
    {"Other Fax", "Fax Number"},
    {"Address 1 - Street", "Address Line 1"},
    {"Business Street", "Address Line 1"},
    {"Home Street", "Address Line 1"},
    {"Other Street", "Address Line 1"},
    {"Home Address", "Address Line 1"},
    {"Work Address", "Address Line 1"},
    {"Address 1 - Extended Address", "Address Line 2"},
    {"Business Street 2", "Address Line 2"},
    {"Home Street 2", "Address Line 2"},
    {"Other Street 2", "Address Line 2"},
    {"Home Address 2", "Address Line 2"},
    {"Work Address 2", "Address Line 2"},
    {"Business Street 3", "Address Line 3"},
    {"Home Street 3", "Address Line 3"},
    {"Other Street 3", "Address Line 3"},
    {"Address 1 - City", "City"},
    {"Business City", "City"},
    {"Home City", "City"},
    {"Other City", "City"},
    {"Work City", "City"},
    {"Address 1 - Region", "State/Province"},
    {"Business State", "State/Province"},
    {"Home State", "State/Province"},
    {"Other State", "State/Province"},
    {"Work State", "State/Province"},
    {"Address 1 - Postal Code", "Postal Code"},
    {"Business Postal Code", "Postal Code"},
    {"Home Postal Code", "Postal Code"},
    {"Other Postal Code", "Postal Code"},
    {"Home ZipCode", "Postal Code"},
    {"Work ZipCode", "Postal Code"},
    {"Address 1 - Country", "Country"},
    {"Business Country/Region", "Country"},
    {"Home Country/Region", "Country"},
    {"Other Country/Region", "Country"},
    {"Home Country", "Country"},
    {"Work Country", "Country"},
    {"Website 1 - Value", "Website"},
    {"Website 2 - Value", "Website"},
    {"Web Page", "Website"},
    {"Web Page 1", "Website"},
    {"Web Page 2", "Website"},
};

// Columns only Outlook writes; their presence makes "Title" the salutation.
constexpr std::string_view OutlookColumns[] = {"Suffix",         "Company",      "Business Street", "Home Street",
                                               "Business Phone", "Mobile Phone", "Web Page"};

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool InScope(Scope scope, int kind)
{
    return scope == Scope::AnyKind || (scope == Scope::OrganizationOnly) == (kind == KindOrganization);
}

bool IsOutlookHeader(const std::vector<std::string>& header)
{
    return std::any_of(header.begin(), header.end(), [](const std::string& column) {
        return std::any_of(std::begin(OutlookColumns), std::end(OutlookColumns),
                           [&](std::string_view known) { return EqualsNoCase(Trimmed(column), known); });
    });
}

std::string_view FieldNamed(std::string_view column, const RecordType& type)
{
    for (const std::string_view field : type.fields)
        if (EqualsNoCase(column, field))
            return field;
    return {};
}

// The field a column names, whether or not the kind offers it; empty for unknown columns. The
// kind's own field names come first: a person's "Company" is its company, an organization's
// its title.
std::string_view FieldOfColumn(std::string_view column, int kind, bool outlook)
{
    if (outlook && EqualsNoCase(column, "Title"))
        return "Salutation";
    if (const RecordType* own = RecordTypeOfKind(kind); own && !FieldNamed(column, *own).empty())
        return FieldNamed(column, *own);
    for (const Alias& alias : Aliases)
        if (EqualsNoCase(column, alias.column) && InScope(alias.scope, kind))
            return alias.field;
    for (const RecordType& type : RecordTypes())
        if (const std::string_view field = FieldNamed(column, type); !field.empty())
            return field;
    return {};
}
} // namespace

CsvHeaderMapping MapCsvHeader(const std::vector<std::string>& header, int kind)
{
    const RecordType* type = RecordTypeOfKind(kind);
    const bool outlook = IsOutlookHeader(header);
    CsvHeaderMapping mapping;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view column = Trimmed(header[i]);
        const std::string_view field = FieldOfColumn(column, kind, outlook);
        if (type && !field.empty() && OffersField(*type, field)) {
            mapping.fields.emplace_back(field);
            continue;
        }
        mapping.fields.emplace_back();
        mapping.ignored.push_back(column.empty() ? "column " + std::to_string(i + 1) : std::string(column));
    }
    return mapping;
}

} // namespace quillary
