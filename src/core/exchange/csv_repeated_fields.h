// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace quillary {

// Where several columns name one field, which value the field takes in a row. A field takes the
// first non-empty value in column order. The parts of an address (its lines, city, state, postal
// code and country) come from one address only: exports write each address's columns together,
// so an address runs from its first part until a part it already has comes again, and the first
// address in the file with any non-empty part gives all parts, empty where it has no column.
// Columns without a name count for no field.
class CsvRepeatedFields
{
public:
    explicit CsvRepeatedFields(const std::vector<std::string>& names);

    // Puts the value each repeated field takes into its first column, the one items read; a row
    // without repeated fields is left as it is. Columns a short row leaves out have no value.
    void Merge(std::vector<std::string>& values) const;

private:
    using Columns = std::vector<std::size_t>;
    // Per address part, its column in one address, or NoColumn.
    using Address = std::array<std::size_t, 7>;
    static constexpr std::size_t NoColumn = static_cast<std::size_t>(-1);

    void ReadAddresses(const std::vector<std::string>& names);
    void MergeAddress(std::vector<std::string>& values) const;

    // The columns of each field named more than once, other than the address parts.
    std::vector<Columns> m_repeated;
    // The addresses in column order, when any address part is named more than once.
    std::vector<Address> m_addresses;
};

} // namespace quillary
