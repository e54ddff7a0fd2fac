// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_date.h"

#include "common/blank_trim.h"
#include "exchange/vcard_date.h"

#include <algorithm>
#include <array>

namespace quillary {

namespace {
// The number a part of one to four digits gives, or none.
std::optional<int> Number(std::string_view part)
{
    if (part.empty() || part.size() > 4 ||
        !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int number = 0;
    for (const char c : part)
        number = number * 10 + (c - '0');
    return number;
}

// The three numbers of "a/b/yyyy" (or with another separator), the year of four digits; none
// for anything else.
std::optional<std::array<int, 3>> ThreeNumbers(std::string_view text, char separator)
{
    const auto first = text.find(separator);
    const auto second = first == std::string_view::npos ? first : text.find(separator, first + 1);
    if (second == std::string_view::npos || text.size() - second - 1 != 4)
        return std::nullopt;
    const auto a = Number(text.substr(0, first));
    const auto b = Number(text.substr(first + 1, second - first - 1));
    const auto year = Number(text.substr(second + 1));
    if (!a || !b || !year)
        return std::nullopt;
    return std::array<int, 3>{*a, *b, *year};
}

std::optional<CivilDate> Checked(const CivilDate& date)
{
    return date.year >= 1 && IsValidDate(date) ? std::optional<CivilDate>(date) : std::nullopt;
}
} // namespace

bool IsNoCsvDate(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '0' || c == ' ' || c == '/' || c == '.' || c == '-'; });
}

std::optional<CivilDate> ParseCsvDate(std::string_view text, int yearWhenMissing)
{
    text = TrimBlanks(text);
    for (const char separator : {'/', '.'}) {
        const auto numbers = ThreeNumbers(text, separator);
        if (!numbers)
            continue;
        const auto [first, second, year] = *numbers;
        const bool monthFirst = separator == '/' && first <= 12;
        return Checked(monthFirst ? CivilDate{year, first, second} : CivilDate{year, second, first});
    }
    return ParseVCardDate(text, yearWhenMissing);
}

std::optional<YearlyOrigin> ParseCsvOrigin(std::string_view text)
{
    return OriginOfDate(ParseCsvDate(text, YearOfYearlessDates), text);
}

} // namespace quillary
