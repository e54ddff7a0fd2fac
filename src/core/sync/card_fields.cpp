// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_fields.h"

#include "common/ascii_case.h"
#include "exchange/card_field_map.h"

#include <algorithm>

namespace quillary {

namespace {
bool Among(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The single a line stands for (an older name as the field's own), or empty text.
std::string_view SingleName(const CardLine& line)
{
    const CardFieldRow* row = CardFieldNamed(line.name);
    return row && !row->Several() ? row->property : std::string_view();
}

std::vector<std::string_view> FieldNames(bool several)
{
    std::vector<std::string_view> names;
    for (const CardFieldRow& row : CardFieldRows())
        if (row.Several() == several)
            names.push_back(row.property);
    return names;
}

bool IsOwnProperty(const CardLine& line)
{
    return !SingleName(line).empty() || Among(CardSetNames(), line.name) || line.name == "KIND" ||
           line.name == "X-ABSHOWAS";
}

// Parameters in one order and spelling: "TYPE=WORK,VOICE" and "type=voice;TYPE=work" alike, PREF
// in any of its forms as "PREF".
std::string ParamKey(std::string_view params)
{
    std::vector<std::string> words;
    std::string word;
    const auto flush = [&] {
        std::string upper;
        for (const char c : word)
            upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper.rfind("TYPE=", 0) == 0)
            upper.erase(0, 5);
        else if (upper.rfind("PREF", 0) == 0)
            upper = "PREF";
        if (!upper.empty())
            words.push_back(upper);
        word.clear();
    };
    for (const char c : params) {
        if (c == ';' || c == ',')
            flush();
        else
            word += c;
    }
    flush();
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::string key;
    for (const std::string& w : words)
        key.append(w).append(";");
    return key;
}

bool IsCompanion(const CardLine& line, const CardLine& property)
{
    return !property.group.empty() && EqualsNoCase(line.group, property.group) && !IsOwnProperty(line);
}

CardElement MakeElement(const CardLine& property, const std::vector<CardLine>& card)
{
    CardElement element{ParamKey(property.params) + "|" + property.value, {property}};
    for (const CardLine& line : card) {
        if (IsCompanion(line, property)) {
            element.lines.push_back(line);
            element.key.append("|").append(line.name).append("=").append(line.value);
        }
    }
    return element;
}
} // namespace

const std::vector<std::string_view>& CardSingleNames()
{
    static const std::vector<std::string_view> names = FieldNames(false);
    return names;
}

const std::vector<std::string_view>& CardSetNames()
{
    static const std::vector<std::string_view> names = FieldNames(true);
    return names;
}

bool IsTreeHeldLine(const CardLine& line, const std::vector<CardLine>& card)
{
    if (IsOwnProperty(line))
        return true;
    return std::any_of(card.begin(), card.end(), [&](const CardLine& other) {
        return Among(CardSetNames(), other.name) && IsCompanion(line, other);
    });
}

CardFields ReadCardFields(const std::vector<CardLine>& lines)
{
    CardFields fields;
    for (const CardLine& line : lines) {
        if (const std::string_view single = SingleName(line); !single.empty())
            fields.singles.try_emplace(std::string(single), CardSingle{line.value, line});
        else if (Among(CardSetNames(), line.name))
            fields.sets[line.name].push_back(MakeElement(line, lines));
        else if (MarksOrganization(line))
            fields.organization = true;
    }
    return fields;
}

bool MarksOrganization(const CardLine& line)
{
    return (line.name == "KIND" && EqualsNoCase(line.value, "org")) ||
           (line.name == "X-ABSHOWAS" && EqualsNoCase(line.value, "COMPANY"));
}

std::string ReadableValue(const CardLine& line)
{
    std::string value = line.value;
    for (const std::string_view scheme : {"tel:", "mailto:"})
        if (StartsWithNoCase(value, scheme))
            value.erase(0, scheme.size());
    if (line.name != "N")
        return UnescapeCardText(value);
    // Family;given;additional;prefix;suffix, read as prefix given additional family suffix.
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            parts.back() += value[++i];
        else if (value[i] == ';')
            parts.emplace_back();
        else
            parts.back() += value[i];
    }
    parts.resize(5);
    std::string readable;
    for (const std::size_t index : {3, 1, 2, 0, 4}) {
        if (parts[index].empty())
            continue;
        if (!readable.empty())
            readable += ' ';
        readable += parts[index];
    }
    return readable;
}

} // namespace quillary
