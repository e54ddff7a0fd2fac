// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_party_columns.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"
#include "exchange/csv_date.h"
#include "exchange/csv_header_map.h"
#include "exchange/csv_numbered_columns.h"
#include "model/item_kind.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillary {

namespace {
constexpr std::string_view JoinedValueSeparator = " ::: ";
constexpr std::array<std::string_view, 3> LineFields = {"Address Line 1", "Address Line 2", "Address Line 3"};

struct DetailField
{
    std::string_view field;
    int kind;
    std::string_view title; // of a detail whose group gives none
};
constexpr DetailField DetailFields[] = {{"Address Line 1", KindAddress, "Address"},
                                        {"Address Line 2", KindAddress, "Address"},
                                        {"Address Line 3", KindAddress, "Address"},
                                        {"City", KindAddress, "Address"},
                                        {"State/Province", KindAddress, "Address"},
                                        {"Postal Code", KindAddress, "Address"},
                                        {"Country", KindAddress, "Address"},
                                        {"Phone Number", KindPhone, "Phone"},
                                        {"Fax Number", KindFax, "Fax"},
                                        {"E-Mail Address", KindEMail, "E-mail"},
                                        {"Website", KindWebsite, "Website"}};

const DetailField* DetailFieldOf(std::string_view field)
{
    const auto found = std::find_if(std::begin(DetailFields), std::end(DetailFields),
                                    [&](const DetailField& known) { return EqualsNoCase(known.field, field); });
    return found == std::end(DetailFields) ? nullptr : &*found;
}

std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t end; (end = text.find(separator)) != std::string_view::npos;) {
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + separator.size());
    }
    parts.push_back(text);
    return parts;
}

// Google marks the preferred value's label with "* ".
std::string LabelText(std::string_view label)
{
    label = TrimBlanks(label);
    if (label.starts_with("* "))
        label = TrimBlanks(label.substr(2));
    return std::string(label);
}

bool SaysFax(std::string_view label)
{
    for (std::size_t i = 0; i + 3 <= label.size(); ++i)
        if (EqualsNoCase(label.substr(i, 3), "fax"))
            return true;
    return false;
}

constexpr std::string_view DateParts[] = {"Year", "Month", "Day"};

// A date's text: its whole-date column, else "YYYY-MM-DD" (or "--MM-DD" without a year) from its
// parts' columns; empty without month or day.
template <typename Parts> std::string DateText(const Parts& parts, const std::vector<std::string>& values)
{
    std::string found[std::size(DateParts) + 1];
    for (const auto& part : parts) {
        std::string value = part.column < values.size() ? values[part.column] : std::string();
        KeepFirstJoinedValue(value);
        // A part named by none of DateParts is the whole date, after them.
        const auto index = std::find(std::begin(DateParts), std::end(DateParts), part.field) - std::begin(DateParts);
        found[index] = std::string(TrimBlanks(value));
    }
    const auto& [year, month, day, whole] = found;
    if (!whole.empty() || month.empty() || day.empty())
        return whole;
    const auto twoDigits = [](const std::string& number) { return number.size() == 1 ? "0" + number : number; };
    return (year.empty() ? "--" : year + "-") + twoDigits(month) + "-" + twoDigits(day);
}

std::string NumberedKey(const NumberedColumn& column)
{
    return "#" + std::to_string(column.kind) + "-" + std::to_string(column.number);
}

bool IsLineField(std::string_view field)
{
    return std::any_of(LineFields.begin(), LineFields.end(),
                       [&](std::string_view line) { return EqualsNoCase(line, field); });
}

// The lines of an address, from every column of its lines in the order of the lines: a value
// over several lines gives each of them. Empty lines at the end are no lines.
std::vector<std::string> AddressLines(const FieldRecord& parts)
{
    std::vector<std::string> lines;
    for (const std::string_view field : LineFields)
        for (std::size_t i = 0; i < parts.names.size(); ++i)
            if (EqualsNoCase(parts.names[i], field))
                for (const std::string_view line : SplitAt(parts.values[i], "\n"))
                    lines.emplace_back(line);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// The record a detail's item reads: its title and the first value of each field of its group;
// an address names its first three lines.
FieldRecord DetailRecord(int kind, std::string title, const FieldRecord& parts, const std::vector<std::string>& lines)
{
    FieldRecord record{{"Title"}, {std::move(title)}};
    if (kind == KindAddress)
        for (std::size_t line = 0; line < LineFields.size(); ++line) {
            record.names.emplace_back(LineFields[line]);
            record.values.push_back(line < lines.size() ? lines[line] : std::string());
        }
    for (std::size_t i = 0; i < parts.names.size(); ++i) {
        std::string name =
            kind == KindFax && EqualsNoCase(parts.names[i], "Phone Number") ? "Fax Number" : parts.names[i];
        if (IsLineField(name))
            continue;
        const auto value = record.Get(name);
        if (!value) {
            record.names.push_back(std::move(name));
            record.values.push_back(parts.values[i]);
        } else if (value->empty()) {
            record.Set(name, parts.values[i]);
        }
    }
    return record;
}
} // namespace

void KeepFirstJoinedValue(std::string& value)
{
    if (const auto end = value.find(JoinedValueSeparator); end != std::string::npos)
        value.erase(end);
}

CsvPartyColumns::CsvPartyColumns(const std::vector<std::string>& header, const std::vector<std::string>& fields,
                                 int kind)
    : m_columns(fields.size())
{
    const std::vector<std::string> titles = MapCsvHeader(header, kind).titles;
    bool titled = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        const auto numbered = ParseNumberedColumn(i < header.size() ? TrimBlanks(header[i]) : std::string_view{});
        const DetailField* detail = DetailFieldOf(field);
        const std::string_view title = i < titles.size() ? std::string_view(titles[i]) : std::string_view{};
        m_own.emplace_back();
        if (EqualsNoCase(field, LabelField)) {
            if (numbered)
                m_labels.emplace_back(NumberedKey(*numbered), i);
        } else if (kind == KindPerson &&
                   (EqualsNoCase(field, BirthdayField) || EqualsNoCase(field, AnniversaryField))) {
            AddDateColumn(EqualsNoCase(field, BirthdayField) ? BirthdayField : AnniversaryField,
                          i < header.size() ? TrimBlanks(header[i]) : std::string_view{}, i);
        } else if (detail && numbered) {
            GroupFor(NumberedKey(*numbered), detail->kind, std::string(detail->title)).parts.push_back({field, i});
        } else if (detail && !title.empty()) {
            GroupFor("=" + std::string(title), detail->kind, std::string(title)).parts.push_back({field, i});
        } else {
            m_own.back() = field;
            titled = titled || EqualsNoCase(field, "Title");
        }
    }
    if (kind == KindPerson && !titled)
        m_own.emplace_back("Title");
    for (Group& group : m_groups)
        for (const auto& [key, column] : m_labels)
            if (group.key.starts_with(key + "/"))
                group.label = column;
}

CsvPartyColumns::Group& CsvPartyColumns::GroupFor(std::string key, int kind, std::string title)
{
    key += "/" + std::to_string(kind);
    const auto found = std::find_if(m_groups.begin(), m_groups.end(), [&](const Group& g) { return g.key == key; });
    if (found != m_groups.end())
        return *found;
    return m_groups.emplace_back(Group{std::move(key), kind, std::move(title), NoColumn, {}});
}

void CsvPartyColumns::KeepOwnValues(std::vector<std::string>& values) const
{
    values.resize(m_columns);
    for (std::size_t i = 0; i < m_columns; ++i)
        if (!m_own[i].empty())
            KeepFirstJoinedValue(values[i]);
    values.resize(m_own.size());
}

std::vector<CsvDetail> CsvPartyColumns::Details(const std::vector<std::string>& values) const
{
    std::vector<CsvDetail> details;
    for (const Group& group : m_groups)
        AddDetails(group, values, details);
    return details;
}

void CsvPartyColumns::AddDetails(const Group& group, const std::vector<std::string>& values,
                                 std::vector<CsvDetail>& details) const
{
    const auto valueAt = [&](std::size_t column) {
        return column < values.size() ? std::string_view(values[column]) : std::string_view{};
    };
    const std::vector<std::string_view> labels =
        group.label == NoColumn ? std::vector<std::string_view>{} : SplitAt(valueAt(group.label), JoinedValueSeparator);
    std::vector<std::vector<std::string_view>> parts;
    std::size_t count = 1;
    for (const Part& part : group.parts)
        count = std::max(count, parts.emplace_back(SplitAt(valueAt(part.column), JoinedValueSeparator)).size());
    for (std::size_t k = 0; k < count; ++k) {
        FieldRecord partValues;
        bool any = false;
        for (std::size_t p = 0; p < group.parts.size(); ++p) {
            partValues.names.push_back(group.parts[p].field);
            partValues.values.emplace_back(k < parts[p].size() ? parts[p][k] : std::string_view{});
            any = any || !partValues.values.back().empty();
        }
        if (!any)
            continue;
        std::string label = k < labels.size() ? LabelText(labels[k]) : std::string();
        const int kind = group.kind == KindPhone && SaysFax(label) ? KindFax : group.kind;
        std::vector<std::string> lines = kind == KindAddress ? AddressLines(partValues) : std::vector<std::string>{};
        FieldRecord record = DetailRecord(kind, label.empty() ? group.title : std::move(label), partValues, lines);
        if (lines.size() <= LineFields.size())
            lines.clear();
        details.push_back({kind, std::move(record), std::move(lines)});
    }
}

void CsvPartyColumns::AddDateColumn(std::string_view field, std::string_view name, std::size_t column)
{
    auto date = std::find_if(m_dates.begin(), m_dates.end(), [&](const DateColumns& d) { return d.title == field; });
    if (date == m_dates.end())
        date = m_dates.insert(m_dates.end(), {std::string(field), {}});
    // "Birth Day" names a part, "Birthday" a whole date.
    std::string_view part;
    for (const std::string_view known : DateParts)
        if (name.size() > known.size() && name[name.size() - known.size() - 1] == ' ' &&
            EqualsNoCase(name.substr(name.size() - known.size()), known))
            part = known;
    date->parts.push_back({std::string(part), column});
}

std::vector<CsvDate> CsvPartyColumns::Dates(const std::vector<std::string>& values) const
{
    std::vector<CsvDate> dates;
    for (const DateColumns& date : m_dates) {
        std::string text = DateText(date.parts, values);
        if (!IsNoCsvDate(text))
            dates.push_back({date.title, std::move(text)});
    }
    return dates;
}

} // namespace quillary
