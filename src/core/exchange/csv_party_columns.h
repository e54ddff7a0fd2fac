// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/field_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Of values that Google's exports join with " ::: ", keeps the first.
void KeepFirstJoinedValue(std::string& value);

// One detail a row gives a person or organization: its kind and the record its item reads (its
// "Title" first). An address whose columns hold more lines than the three its record names keeps
// them all in lines.
struct CsvDetail
{
    int kind = 0;
    FieldRecord record;
    std::vector<std::string> lines;
};

// A date column's reminder title ("Birthday") and the row's text for it.
struct CsvDate
{
    std::string title;
    std::string text;
};

// How the columns of a file whose first line names them fill persons or organizations. Columns
// of the item's own fields, and detail columns of this program's own names or of names no export
// is known for, fill the item itself, which makes its primary details from them as every row
// does. Detail columns that a known export writes as a group make one detail each: a numbered
// group ("Phone 2 - Label", "Phone 2 - Value"; several values joined by " ::: " make one detail
// each) titled by its label, or the columns one title gathers (Outlook's "Home Street" and "Home
// City" make the address "Home"). Date columns make yearly reminders.
class CsvPartyColumns
{
public:
    // header: the first line; fields: per column the field it fills (empty: ignored).
    CsvPartyColumns(const std::vector<std::string>& header, const std::vector<std::string>& fields, int kind);

    // The names of the record the item itself reads: per column its own field or empty, and
    // "Title" after them when no column fills it, so persons are titled from their names.
    const std::vector<std::string>& OwnFields() const { return m_own; }
    // Makes a row's values (resized to the columns) the values of that record: the first of
    // values joined by " ::: ", and the empty title.
    void KeepOwnValues(std::vector<std::string>& values) const;

    // The details a row gives, group by group in column order, leaving out those without any value.
    std::vector<CsvDetail> Details(const std::vector<std::string>& values) const;
    // The dates a row gives, leaving out empty ones.
    std::vector<CsvDate> Dates(const std::vector<std::string>& values) const;

private:
    struct Part
    {
        std::string field;
        std::size_t column;
    };
    struct Group
    {
        std::string key; // the numbered group or the gathering title, with the kind
        int kind;
        std::string title; // when the row gives no label
        std::size_t label = NoColumn;
        std::vector<Part> parts;
    };
    static constexpr std::size_t NoColumn = static_cast<std::size_t>(-1);

    // A date's column, or its year, month and day columns (Thunderbird's "Birth Year" ...).
    struct DateColumns
    {
        std::string title;
        std::vector<Part> parts; // field: "Year", "Month", "Day" or empty for a whole date
    };

    Group& GroupFor(std::string key, int kind, std::string title);
    void AddDetails(const Group& group, const std::vector<std::string>& values, std::vector<CsvDetail>& details) const;
    void AddDateColumn(std::string_view field, std::string_view name, std::size_t column);

    std::size_t m_columns;
    std::vector<std::string> m_own;
    std::vector<Group> m_groups;
    std::vector<DateColumns> m_dates;
    // Label columns by the numbered group they title.
    std::vector<std::pair<std::string, std::size_t>> m_labels;
};

} // namespace quillary
