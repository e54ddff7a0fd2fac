// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.h"

#include <ctime>

namespace quillary {

CivilDate SystemClock::Today() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr)
        return CivilDate{};
    return CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace quillary
