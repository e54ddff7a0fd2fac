// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillary {

// Where several columns name one field, which value the field takes in a row. A field takes the
// first non-empty value in column order. The parts of an address come from one address only: the
// n-th column of each address part belongs to the n-th address, and the first address with any
// non-empty part gives all parts, empty where it has no column. Columns without a name count
// for no field.
class CsvRepeatedFields
{
public:
    explicit CsvRepeatedFields(const std::vector<std::string>& names);

    // Puts the value each repeated field takes into its first column, the one items read; a row
    // without repeated fields is left as it is. Columns a short row leaves out have no value.
    void Merge(std::vector<std::string>& values) const;

private:
    using Columns = std::vector<std::size_t>;

    void MergeAddress(std::vector<std::string>& values) const;

    // The columns of each field named more than once, other than the address parts.
    std::vector<Columns> m_repeated;
    // The columns of each address part, when any part is named more than once.
    std::vector<Columns> m_addressParts;
};

} // namespace quillary
