// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

// How the columns of a file's first line meet the fields of one record kind.
struct CsvHeaderMapping
{
    // Per column, the field it fills, or empty when the column is ignored.
    std::vector<std::string> fields;
    // The names of the ignored columns in file order; a column without a name is listed as
    // "column N" (counting from 1).
    std::vector<std::string> ignored;
};

// Maps column names onto the kind's fields: this program's own field names (in any case), and
// the columns of the contact exports of Google Contacts (old and current), Outlook (English) and
// Thunderbird. A column maps only onto a field the kind offers. Several columns may map onto one
// field, such as Outlook's business and home phones; the import then takes the first of them that
// holds a value (CsvRepeatedFields). Outlook's "Title" holds the salutation, so it maps to
// "Salutation" in a file that carries Outlook's own columns. Names of persons become the
// title of every kind but organizations, whose title comes from the company columns.
CsvHeaderMapping MapCsvHeader(const std::vector<std::string>& header, int kind);

} // namespace quillary
