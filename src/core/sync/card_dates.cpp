// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_dates.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

namespace quillary {

namespace {
constexpr std::string_view DateNames[] = {"BDAY", "ANNIVERSARY"};

// A full date's year and month-day as digits ("1985", "0412"), of "1985-04-12" and "19850412"
// alike, a time after it ignored; none for a date without a year or any other text.
std::optional<std::pair<std::string, std::string>> YearAndDay(std::string_view value)
{
    std::string digits;
    for (const char c : value.substr(0, value.find('T'))) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c != '-')
            return std::nullopt;
    }
    if (digits.size() != 8 || value.substr(0, 2) == "--")
        return std::nullopt;
    return std::make_pair(digits.substr(0, 4), digits.substr(4));
}

std::string_view DateName(const CardLine& line)
{
    const std::string_view name = line.name == "X-ANNIVERSARY" ? std::string_view("ANNIVERSARY") : line.name;
    const auto it = std::find(std::begin(DateNames), std::end(DateNames), name);
    return it == std::end(DateNames) ? std::string_view() : *it;
}
} // namespace

bool IsAdvancedDate(std::string_view earlier, std::string_view later)
{
    const auto from = YearAndDay(earlier);
    const auto to = YearAndDay(later);
    return from && to && from->second == to->second && to->first > from->first;
}

CardFields WithAgreedDates(CardFields local, const CardFields& agreed)
{
    for (const std::string_view name : DateNames) {
        const auto mine = local.singles.find(std::string(name));
        const auto theirs = agreed.singles.find(std::string(name));
        if (mine != local.singles.end() && theirs != agreed.singles.end() &&
            IsAdvancedDate(theirs->second.value, mine->second.value))
            mine->second = theirs->second;
    }
    return local;
}

std::string WithAdvancedDates(std::string_view card, const CardFields& item)
{
    std::vector<CardLine> lines = ParseCardLines(card);
    bool changed = false;
    for (CardLine& line : lines) {
        const std::string_view name = DateName(line);
        const auto mine = name.empty() ? item.singles.end() : item.singles.find(std::string(name));
        if (mine != item.singles.end() && IsAdvancedDate(line.value, mine->second.value)) {
            line.value = mine->second.value;
            changed = true;
        }
    }
    return changed ? WriteCardText(lines, CardTextVersion(card)) : std::string(card);
}

} // namespace quillary
