// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/civil_date.h"
#include "common/date_locale.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(CivilDate, LeapYearsAndValidity)
{
    for (const int year : {1600, 2000, 2024, 0, -4})
        EXPECT_TRUE(IsLeapYear(year) && IsValidDate({year, 2, 29})) << year;
    for (const int year : {1900, 2023, 2100, -100})
        EXPECT_FALSE(IsLeapYear(year) || IsValidDate({year, 2, 29})) << year;
    for (const CivilDate date : {CivilDate{2024, 4, 31}, CivilDate{2024, 1, 0}, CivilDate{2024, 0, 1},
                                 CivilDate{2024, 13, 1}, CivilDate{2024, -1, 1}})
        EXPECT_FALSE(IsValidDate(date)) << date.month << '/' << date.day;
}

TEST(CivilDate, KnownDayNumbersAndWeekdays)
{
    struct Case
    {
        CivilDate date;
        std::int64_t days;
        int weekday;
    };
    for (const Case& c :
         {Case{{1970, 1, 1}, 0, 5}, Case{{1969, 12, 31}, -1, 4}, Case{{1997, 12, 5}, 10200, 6},
          Case{{2000, 3, 1}, 11017, 4}, Case{{1, 1, 1}, -719162, 2}, Case{{9999, 12, 31}, 2932896, 6}}) {
        EXPECT_EQ(DaysFromCivil(c.date), c.days) << c.date.year;
        EXPECT_EQ(CivilFromDays(c.days), c.date) << c.days;
        EXPECT_EQ(DayOfWeek(c.date), c.weekday) << c.days;
    }
}

// Walks day by day across several 400-year cycles, negative years included, against a calendar counted by hand.
TEST(CivilDate, ConversionsAgreeWithDayByDayCalendar)
{
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    CivilDate expected{-401, 1, 1};
    std::int64_t days = DaysFromCivil(expected);
    int weekday = DayOfWeek(expected);
    while (expected.year <= 10000) {
        ASSERT_EQ(CivilFromDays(days), expected) << days;
        ASSERT_EQ(AddDays(expected, 1), CivilFromDays(days + 1)) << days;
        ASSERT_EQ(DayOfWeek(expected), weekday) << days;
        const int length = lengths[expected.month - 1] + (expected.month == 2 && IsLeapYear(expected.year) ? 1 : 0);
        ASSERT_EQ(DaysInMonth(expected.year, expected.month), length);
        ++days;
        weekday = weekday % 7 + 1;
        if (++expected.day > length) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(EnglishDateLocale, NamesAndFormats)
{
    const EnglishDateLocale locale;
    EXPECT_EQ(locale.LongMonthName(1) + locale.LongMonthName(12), "JanuaryDecember");
    EXPECT_EQ(locale.ShortDayName(1) + locale.ShortDayName(7), "SunSat");
    EXPECT_EQ(locale.LongDayName(1) + locale.LongDayName(7), "SundaySaturday");
    EXPECT_EQ(locale.LongMonthName(0) + locale.LongMonthName(13) + locale.ShortDayName(8), "");
    EXPECT_EQ(locale.ShortDate({1997, 12, 5}), "12/5/1997");
    EXPECT_EQ(locale.ShortDate({1, 1, 1}), "1/1/0001");
    EXPECT_EQ(locale.LongDate({1997, 12, 5}), "Friday, December 5, 1997");
}

} // namespace
} // namespace quillary
