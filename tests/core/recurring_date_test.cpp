// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/recurring_date.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

class FixedClock : public Clock
{
public:
    explicit FixedClock(CivilDate today) : m_today(today) {}
    CivilDate Today() const override { return m_today; }

private:
    CivilDate m_today;
};

class RecurringDateTest : public ::testing::Test
{
protected:
    TRecurringDate Make(CivilDate date, std::int32_t mode)
    {
        TRecurringDate recurring(clock, locale);
        EXPECT_TRUE(recurring.SetDate(date));
        recurring.SetRecurMode(mode);
        return recurring;
    }

    FixedClock clock{{1997, 12, 5}};
    EnglishDateLocale locale;
};

TEST(RecurringDateHelpers, OrdAndWeekOfMonth)
{
    const std::pair<int, const char*> ords[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},    {11, "11th"},
                                                {12, "12th"}, {13, "13th"}, {20, "20th"}, {21, "21st"},  {22, "22nd"},
                                                {23, "23rd"}, {31, "31st"}, {0, "0th"},   {111, "111th"}};
    for (const auto& [n, text] : ords)
        EXPECT_EQ(Ord(n), text);
    const std::pair<int, int> weeks[] = {{1, 1}, {7, 1}, {8, 2}, {21, 3}, {22, 4}, {28, 4}, {29, 5}, {31, 5}};
    for (const auto& [day, week] : weeks)
        EXPECT_EQ(WeekOfMonth(day), week) << day;
}

TEST(RecurringDateHelpers, ClampDay)
{
    EXPECT_EQ(ClampDay(2024, 2, 31), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(ClampDay(2023, 2, 31), (CivilDate{2023, 2, 28}));
    EXPECT_EQ(ClampDay(1900, 2, 29), (CivilDate{1900, 2, 28}));
    EXPECT_EQ(ClampDay(2024, 11, 31), (CivilDate{2024, 11, 30}));
    EXPECT_EQ(ClampDay(2024, 1, 31), (CivilDate{2024, 1, 31}));
    EXPECT_EQ(ClampDay(10000, 13, 0), (CivilDate{9999, 12, 1}));
}

TEST_F(RecurringDateTest, StartsOnToday)
{
    const TRecurringDate recurring(clock, locale);
    EXPECT_EQ(recurring.GetAsText(), "1997,12,5,0");
    EXPECT_EQ(recurring.GetDateText(), "12/5/1997");
    EXPECT_TRUE(recurring.UseToday);
    EXPECT_EQ(recurring.DialogPosition, DialogPlacement::CentredOnScreen);
    // A clock beyond the supported years must still leave a usable date.
    EXPECT_LE(TRecurringDate(FixedClock({12000, 5, 1}), locale).Year(), kMaxRecurYear);
}

TEST_F(RecurringDateTest, EntriesAndDescriptions)
{
    struct Case
    {
        CivilDate date;
        std::int32_t mode;
        const char* entry;
        const char* rule; // what follows the date in the description
    };
    for (const Case& c : {
             Case{{1997, 12, 5}, 0, "Does not recur", ""},
             Case{{1997, 12, 5}, 1, "Every 5th of the month", " and every following 5th of the month"},
             Case{{1997, 12, 5}, 2, "Every December 5th", " and every following December 5th"},
             Case{{1997, 12, 5}, 3, "Every Friday", " and every following Friday"},
             Case{{1997, 12, 5}, 4, "Every other Friday", " and every following other Friday"},
             Case{{1997, 12, 5}, 5, "Every 1st Fri of the month", " and every following 1st Fri of the month"},
             Case{{1997, 12, 28}, 5, "Every 4th Sun of the month", " and every following 4th Sun of the month"},
             Case{{1997, 12, 29}, 5, "Every Last Mon of the month", " and every following Last Mon of the month"},
             Case{{1997, 12, 31}, 5, "Every Last Wed of the month", " and every following Last Wed of the month"},
             Case{{1997, 12, 5}, 6, "", ""},
             Case{{1997, 12, 5}, -1, "", ""},
         }) {
        EXPECT_EQ(RecurModeEntry(c.mode, c.date, locale), c.entry);
        EXPECT_EQ(Make(c.date, c.mode).GetDescription(), locale.ShortDate(c.date) + c.rule);
    }
}

TEST_F(RecurringDateTest, Advance)
{
    struct Case
    {
        CivilDate from;
        std::int32_t mode;
        CivilDate to;
    };
    for (const Case& c : {Case{{1997, 12, 31}, 0, {1998, 1, 1}}, Case{{1997, 12, 15}, 1, {1998, 1, 15}},
                          Case{{2024, 1, 31}, 1, {2024, 3, 31}}, Case{{2023, 1, 29}, 1, {2023, 3, 29}},
                          Case{{2000, 2, 29}, 2, {2004, 2, 29}}, Case{{2096, 2, 29}, 2, {2104, 2, 29}},
                          Case{{1997, 12, 29}, 3, {1998, 1, 5}}, Case{{1997, 12, 25}, 4, {1998, 1, 8}},
                          Case{{2024, 1, 9}, 5, {2024, 2, 13}}, Case{{2024, 12, 27}, 5, {2025, 1, 24}},
                          Case{{2024, 11, 29}, 5, {2024, 12, 27}}, Case{{2024, 1, 31}, 5, {2024, 2, 28}},
                          Case{{2024, 1, 1}, 6, {2024, 1, 1}}, Case{{2024, 1, 1}, -1, {2024, 1, 1}},
                          Case{{9999, 12, 31}, 0, {9999, 12, 31}}, Case{{9999, 12, 5}, 1, {9999, 12, 5}},
                          Case{{9996, 2, 29}, 2, {9996, 2, 29}}, Case{{9999, 12, 3}, 5, {9999, 12, 3}}}) {
        TRecurringDate recurring = Make(c.from, c.mode);
        recurring.Advance();
        EXPECT_EQ(recurring.GetDate(), c.to) << c.from.year << '-' << c.from.month << '-' << c.from.day;
    }
}

// Advancing every date of several years keeps each rule's promise and always gives a valid date.
TEST_F(RecurringDateTest, AdvanceKeepsTheRuleOverManyDates)
{
    for (CivilDate from{2023, 1, 1}; from.year < 2029; from = AddDays(from, 1)) {
        for (std::int32_t mode = 0; mode < kRecurModeCount; ++mode) {
            TRecurringDate recurring = Make(from, mode);
            recurring.Advance();
            const CivilDate to = recurring.GetDate();
            ASSERT_TRUE(IsValidDate(to));
            const std::int64_t gap = DaysFromCivil(to) - DaysFromCivil(from);
            const int monthsOn = (to.year - from.year) * 12 + to.month - from.month;
            switch (mode) {
            case 0:
            case 3:
            case 4:
                ASSERT_EQ(gap, mode == 0 ? 1 : mode == 3 ? 7 : 14);
                break;
            case 1: // a second month on only when the next month lacks the day
                ASSERT_EQ(to.day, from.day);
                ASSERT_TRUE(monthsOn == 1 || (monthsOn == 2 && DaysInMonth(from.year, from.month % 12 + 1) < from.day));
                break;
            case 2:
                ASSERT_TRUE(to.day == from.day && to.month == from.month && to.year > from.year);
                break;
            default:
                ASSERT_EQ(DayOfWeek(to), DayOfWeek(from));
                ASSERT_EQ(monthsOn, 1);
                // The same week, or from the fifth week the month's last such weekday.
                ASSERT_TRUE(WeekOfMonth(to.day) == WeekOfMonth(from.day) ||
                            (WeekOfMonth(from.day) == 5 && to.day + 7 > DaysInMonth(to.year, to.month)));
                break;
            }
        }
    }
}

TEST_F(RecurringDateTest, TextFormRoundTrip)
{
    TRecurringDate recurring(clock, locale);
    for (const char* text : {"1997,12,5,3", "2000,2,29,2", "1,1,1,0", "9999,12,31,5"}) {
        ASSERT_TRUE(recurring.SetAsText(text)) << text;
        EXPECT_EQ(recurring.GetAsText(), text);
    }
    for (const char* text : {" 2000 , 2 , 29 , 2 ", "2000 2 29 2", "\"2000\",02,\"29\",2"}) {
        TRecurringDate spaced = Make({1997, 12, 5}, 3);
        ASSERT_TRUE(spaced.SetAsText(text)) << text;
        EXPECT_EQ(spaced.GetAsText(), "2000,2,29,2") << text;
    }
}

// A bad text changes nothing at all, not even the parts read before the fault.
TEST_F(RecurringDateTest, SetAsTextRejectsBadTextWholly)
{
    for (const char* text : {"", "2000,2,29", "2000,2,29,2,1", "2000,,29,2", "2000,2,x,2", "2000,2,29,2.5",
                             "2000,2,29,0x1", "99999999999,2,29,2", "2001,2,29,2", "2000,13,1,2", "2000,4,31,2",
                             "2000,2,0,2", "0,1,1,2", "10000,1,1,2", "2000,2,29,6", "2000,2,29,-1"}) {
        TRecurringDate recurring = Make({1997, 12, 5}, 3);
        EXPECT_FALSE(recurring.SetAsText(text)) << text;
        EXPECT_EQ(recurring.GetAsText(), "1997,12,5,3") << text;
    }
    TRecurringDate recurring = Make({1997, 12, 5}, 3);
    EXPECT_FALSE(recurring.SetDate({2001, 2, 29}));
    EXPECT_EQ(recurring.GetAsText(), "1997,12,5,3");
}

} // namespace
} // namespace quillary
