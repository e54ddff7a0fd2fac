// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The names under which the import takes a date column as a person's yearly reminder of that
// title; no item field has them.
inline constexpr std::string_view BirthdayField = "Birthday";
inline constexpr std::string_view AnniversaryField = "Anniversary";

// The fields a file's columns can fill for a record kind: the record type's fields, and for
// persons and organizations the titles of numbered detail groups (LabelField), for persons also
// birthdays and anniversaries.
std::vector<std::string_view> ImportFields(int kind);

// How the columns of a file's first line meet the fields of one record kind.
struct CsvHeaderMapping
{
    // Per column, the field it fills, or empty when the column is ignored.
    std::vector<std::string> fields;
    // The names of the ignored columns in file order; a column without a name is listed as
    // "column N" (counting from 1).
    std::vector<std::string> ignored;
    // Per column of a known export that fills a detail of a person or organization, the title
    // of that detail ("Mobile", "Business Fax", "Home" for each part of a home address); empty
    // for other columns.
    std::vector<std::string> titles;
};

// Maps column names onto the kind's import fields: this program's own field names (in any case),
// and the columns of the contact exports of Google Contacts (old and current), Outlook (English)
// and Thunderbird. A column maps only onto a field the kind offers. Several columns may map onto
// one field, such as Outlook's business and home phones. Outlook's "Title" holds the salutation,
// so it maps to "Salutation" in a file that carries Outlook's own columns. Names of persons become
// the title of every kind but organizations, whose title comes from the company columns.
CsvHeaderMapping MapCsvHeader(const std::vector<std::string>& header, int kind);

} // namespace quillary
