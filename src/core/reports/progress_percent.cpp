// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/progress_percent.h"

namespace quillary {

int ProgressPercent(int position, int maximum)
{
    if (maximum <= 0)
        return 100;
    return static_cast<int>(static_cast<long long>(position) * 100 / maximum);
}

std::string PercentText(int position, int maximum)
{
    return std::to_string(ProgressPercent(position, maximum)) + "%";
}

} // namespace quillary
