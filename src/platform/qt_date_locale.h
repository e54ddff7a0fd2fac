// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/date_locale.h"

namespace quillary {

// Month and weekday names and date formats of the user's locale (QLocale::system()).
class QtDateLocale final : public DateLocale
{
public:
    std::string LongMonthName(int month) const override;
    std::string ShortDayName(int weekday) const override;
    std::string LongDayName(int weekday) const override;
    std::string ShortDate(const CivilDate& date) const override;
    std::string LongDate(const CivilDate& date) const override;
};

} // namespace quillary
