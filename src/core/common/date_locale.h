// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <string>

namespace quillary {

// Month and weekday names and the two date formats of the user's locale.
// The desktop supplies the system's; core and the command line use English.
class DateLocale
{
public:
    virtual ~DateLocale() = default;
    virtual std::string LongMonthName(int month) const = 0;  // month 1..12
    virtual std::string ShortDayName(int weekday) const = 0; // 1 = Sunday .. 7 = Saturday
    virtual std::string LongDayName(int weekday) const = 0;
    virtual std::string ShortDate(const CivilDate& date) const = 0;
    virtual std::string LongDate(const CivilDate& date) const = 0;
};

// English names; short date "M/d/yyyy", long date "dddd, MMMM d, yyyy".
class EnglishDateLocale final : public DateLocale
{
public:
    std::string LongMonthName(int month) const override;
    std::string ShortDayName(int weekday) const override;
    std::string LongDayName(int weekday) const override;
    std::string ShortDate(const CivilDate& date) const override;
    std::string LongDate(const CivilDate& date) const override;
};

} // namespace quillary
