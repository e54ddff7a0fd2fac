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

// The index of the address part a field is, or the number of parts for other fields.
std::size_t AddressPartOf(std::string_view field)
{
    const auto part = std::find_if(std::begin(AddressParts), std::end(AddressParts),
                                   [&](std::string_view name) { return EqualsNoCase(name, field); });
    return static_cast<std::size_t>(part - std::begin(AddressParts));
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
    static_assert(std::tuple_size_v<Address> == std::size(AddressParts));
    bool addressRepeated = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty() || !FirstOfItsName(names, i))
            continue;
        Columns columns = ColumnsOf(names, names[i]);
        if (columns.size() < 2)
            continue;
        if (AddressPartOf(names[i]) < std::size(AddressParts))
            addressRepeated = true;
        else
            m_repeated.push_back(std::move(columns));
    }
    if (addressRepeated)
        ReadAddresses(names);
}

void CsvRepeatedFields::ReadAddresses(const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t part = AddressPartOf(names[i]);
        if (part == std::size(AddressParts))
            continue;
        if (m_addresses.empty() || m_addresses.back()[part] != NoColumn) {
            m_addresses.emplace_back();
            m_addresses.back().fill(NoColumn);
        }
        m_addresses.back()[part] = i;
    }
}

void CsvRepeatedFields::Merge(std::vector<std::string>& values) const
{
    for (const Columns& columns : m_repeated) {
        const auto filled =
            std::find_if(columns.begin(), columns.end(), [&](std::size_t i) { return Filled(values, i); });
        if (filled != columns.end())
            values[columns.front()] = values[*filled];
    }
    if (!m_addresses.empty())
        MergeAddress(values);
}

void CsvRepeatedFields::MergeAddress(std::vector<std::string>& values) const
{
    const auto chosen = std::find_if(m_addresses.begin(), m_addresses.end(), [&](const Address& address) {
        return std::any_of(address.begin(), address.end(), [&](std::size_t i) { return Filled(values, i); });
    });
    if (chosen == m_addresses.end())
        return;
    for (std::size_t part = 0; part < std::size(AddressParts); ++part) {
        const auto first = std::find_if(m_addresses.begin(), m_addresses.end(),
                                        [&](const Address& address) { return address[part] != NoColumn; });
        if (first == m_addresses.end())
            continue;
        const std::size_t column = (*first)[part];
        if (column < values.size())
            values[column] = (*chosen)[part] < values.size() ? values[(*chosen)[part]] : std::string();
    }
}

} // namespace quillary
