// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/date_locale.h"

#include <array>
#include <string_view>

namespace quillary {

namespace {

constexpr std::array<std::string_view, 12> kLongMonthNames = {"January",   "February", "March",    "April",
                                                              "May",       "June",     "July",     "August",
                                                              "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 7> kShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> kLongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                           "Thursday", "Friday", "Saturday"};

// Out-of-range numbers give an empty name rather than undefined behaviour.
template <std::size_t N> std::string Lookup(const std::array<std::string_view, N>& names, int oneBased)
{
    if (oneBased < 1 || static_cast<std::size_t>(oneBased) > N)
        return {};
    return std::string(names[static_cast<std::size_t>(oneBased - 1)]);
}

// "yyyy": at least four digits, zero padded.
std::string FourDigitYear(int year)
{
    std::string digits = std::to_string(year);
    if (year >= 0 && digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

} // namespace

std::string EnglishDateLocale::LongMonthName(int month) const
{
    return Lookup(kLongMonthNames, month);
}

std::string EnglishDateLocale::ShortDayName(int weekday) const
{
    return Lookup(kShortDayNames, weekday);
}

std::string EnglishDateLocale::LongDayName(int weekday) const
{
    return Lookup(kLongDayNames, weekday);
}

std::string EnglishDateLocale::ShortDate(const CivilDate& date) const
{
    return std::to_string(date.month) + '/' + std::to_string(date.day) + '/' + FourDigitYear(date.year);
}

std::string EnglishDateLocale::LongDate(const CivilDate& date) const
{
    return LongDayName(DayOfWeek(date)) + ", " + LongMonthName(date.month) + ' ' + std::to_string(date.day) + ", " +
           FourDigitYear(date.year);
}

} // namespace quillary
