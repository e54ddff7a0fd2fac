// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.h"

#include <ctime>

namespace quillary {

CivilDate SystemClock::Today() const
{
    // Finding the local date reads the time zone's rules; a load asks once per reminder, so the
    // date is kept for the second it was found in.
    thread_local std::time_t second = -1;
    thread_local CivilDate today;
    const std::time_t now = std::time(nullptr);
    if (now == second)
        return today;
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr)
        return CivilDate{};
    second = now;
    today = CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    return today;
}

} // namespace quillary
