// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_date.h"

#include "common/blank_trim.h"
#include "dialogs/recurring_date.h"

#include <string>

namespace quillary {

namespace {
// The digits of text without its dashes, or empty text when anything else is in it.
std::string Digits(std::string_view text)
{
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != '-')
            return {};
    }
    return digits;
}

int Number(std::string_view digits)
{
    int number = 0;
    for (const char c : digits)
        number = number * 10 + (c - '0');
    return number;
}
} // namespace

std::optional<CivilDate> ParseVCardDate(std::string_view text, int yearWhenMissing)
{
    text = text.substr(0, text.find('T'));
    const bool withoutYear = text.substr(0, 2) == "--";
    const std::string digits = Digits(withoutYear ? text.substr(2) : text);
    if (digits.size() != (withoutYear ? 4U : 8U))
        return std::nullopt;
    CivilDate date;
    if (withoutYear) {
        date = {yearWhenMissing, Number(std::string_view(digits).substr(0, 2)),
                Number(std::string_view(digits).substr(2, 2))};
        if (date.month == 2 && date.day == 29)
            while (!IsLeapYear(date.year))
                ++date.year;
    } else {
        const std::string_view all(digits);
        date = {Number(all.substr(0, 4)), Number(all.substr(4, 2)), Number(all.substr(6, 2))};
    }
    if (date.year < 1 || !IsValidDate(date))
        return std::nullopt;
    return date;
}

std::optional<YearlyOrigin> OriginOfDate(const std::optional<CivilDate>& date, std::string_view text)
{
    if (!date || !IsRecurringDate(*date))
        return std::nullopt;
    YearlyOrigin origin = OriginOf(*date);
    if (TrimBlanks(text).starts_with("--"))
        origin.year = 0;
    return origin;
}

std::optional<YearlyOrigin> ParseVCardOrigin(std::string_view text)
{
    return OriginOfDate(ParseVCardDate(text, YearOfYearlessDates), text);
}

} // namespace quillary
