// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/left_out_lines.h"

namespace quillary {

std::string LeftOutLinesMessage(const ReportDocument& document)
{
    const int count = document.linesLeftOut;
    if (count <= 0)
        return {};
    const bool one = count == 1;
    std::string place;
    switch (document.fitPlace) {
    case FitPlace::Labels:
        place = one ? "on its label" : "on their labels";
        break;
    case FitPlace::Envelope:
        place = "on the envelope";
        break;
    case FitPlace::Page:
        place = one ? "in its place on the page" : "in their places on the page";
        break;
    }
    return std::to_string(count) + (one ? " line did not fit " : " lines did not fit ") + place +
           (one ? " and was left out." : " and were left out.") + " A smaller type face makes room.";
}

} // namespace quillary
