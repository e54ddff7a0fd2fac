// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_repeated_fields.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <string_view>

namespace quillary {

namespace {
constexpr std::string_view AddressParts[] = {"Address Line 1", "Address Line 2", "Address Line 3", "City",
                                             "State/Province", "Postal Code",    "Country"};

std::vector<std::size_t> ColumnsOf(const std::vector<std::string>& names, std::string_view field)
{
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualsNoCase(names[i], field))
            columns.push_back(i);
    return columns;
}

bool IsAddressPart(std::string_view field)
{
    return std::any_of(std::begin(AddressParts), std::end(AddressParts),
                       [&](std::string_view part) { return EqualsNoCase(part, field); });
}

bool FirstOfItsName(const std::vector<std::string>& names, std::size_t column)
{
    return std::none_of(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(column),
                        [&](const std::string& name) { return EqualsNoCase(name, names[column]); });
}

bool Filled(const std::vector<std::string>& values, std::size_t column)
{
    return column < values.size() && !values[column].empty();
}
} // namespace

CsvRepeatedFields::CsvRepeatedFields(const std::vector<std::string>& names)
{
    bool addressRepeated = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty() || !FirstOfItsName(names, i))
            continue;
        Columns columns = ColumnsOf(names, names[i]);
        if (columns.size() < 2)
            continue;
        if (IsAddressPart(names[i]))
            addressRepeated = true;
        else
            m_repeated.push_back(std::move(columns));
    }
    if (addressRepeated)
        for (const std::string_view part : AddressParts)
            m_addressParts.push_back(ColumnsOf(names, part));
}

void CsvRepeatedFields::Merge(std::vector<std::string>& values) const
{
    for (const Columns& columns : m_repeated) {
        const auto filled =
            std::find_if(columns.begin(), columns.end(), [&](std::size_t i) { return Filled(values, i); });
        if (filled != columns.end())
            values[columns.front()] = values[*filled];
    }
    if (!m_addressParts.empty())
        MergeAddress(values);
}

void CsvRepeatedFields::MergeAddress(std::vector<std::string>& values) const
{
    std::size_t addresses = 0;
    for (const Columns& columns : m_addressParts)
        addresses = std::max(addresses, columns.size());
    std::size_t chosen = 0;
    while (chosen < addresses && std::none_of(m_addressParts.begin(), m_addressParts.end(), [&](const Columns& c) {
               return chosen < c.size() && Filled(values, c[chosen]);
           }))
        ++chosen;
    if (chosen == addresses)
        return;
    for (const Columns& columns : m_addressParts)
        if (!columns.empty() && columns.front() < values.size())
            values[columns.front()] =
                chosen < columns.size() && columns[chosen] < values.size() ? values[columns[chosen]] : std::string();
}

} // namespace quillary
