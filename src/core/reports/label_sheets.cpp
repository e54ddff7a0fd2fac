// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/page_settings.h"
#include "reports/report_engine.h"
#include "reports/report_lines.h"

#include <algorithm>

namespace quillary {

const std::array<LabelSheet, 18>& LabelSheets()
{
    // Top margin, side margin, width, height, horizontal pitch, vertical pitch, labels across.
    static constexpr std::array<LabelSheet, 18> Sheets{{
        {"Avery 5095-Name Tag", 58, 69, 338, 233, 375, 250, 2},
        {"Avery 5160-Address", 50, 19, 263, 100, 275, 100, 3},
        {"Avery 5161-Address", 50, 16, 400, 100, 419, 100, 2},
        {"Avery 5162-Address", 83, 16, 400, 133, 419, 133, 2},
        {"Avery 5163-Shipping", 50, 16, 400, 200, 419, 200, 2},
        {"Avery 5164-Shipping", 50, 16, 400, 333, 419, 333, 2},
        {"Avery 5260-Address", 50, 19, 263, 100, 275, 100, 3},
        {"Avery 5261-Address", 50, 16, 400, 100, 419, 100, 2},
        {"Avery 5262-Address", 83, 16, 400, 133, 419, 133, 2},
        {"Avery 5385-Rotary Card", 117, 25, 400, 217, 400, 217, 2},
        {"Avery 5386-Rotary Card", 100, 175, 500, 300, 500, 300, 1},
        {"Avery 5388-Index Card", 100, 175, 500, 300, 500, 300, 1},
        {"Avery 5389-Post Card", 150, 175, 600, 400, 600, 400, 1},
        {"Avery 5660-Address", 50, 0, 283, 100, 283, 100, 3},
        {"Avery 5661-Address", 50, 16, 400, 100, 419, 100, 2},
        {"Avery 5662-Address", 83, 0, 425, 133, 425, 133, 2},
        {"Avery 5663-Address", 50, 0, 425, 200, 425, 200, 2},
        {"Avery 5664-Shipping", 50, 16, 400, 333, 419, 333, 2},
    }};
    return Sheets;
}

const LabelSheet* FindLabelSheet(std::string_view name)
{
    const auto& sheets = LabelSheets();
    const auto found =
        std::find_if(sheets.begin(), sheets.end(), [&](const LabelSheet& sheet) { return sheet.name == name; });
    return found == sheets.end() ? nullptr : &*found;
}

LabelSettings LabelSettingsFor(const LabelSheet& sheet)
{
    LabelSettings settings;
    settings.columns = sheet.across;
    settings.detailHeight = sheet.verticalPitch;
    // The page's own top margin already covers that much of the sheet's.
    settings.pageHeaderHeight = std::max(sheet.topMargin - PageMarginTop, 0);
    settings.memoWidth = sheet.width - settings.memoLeft;
    settings.memoHeight = sheet.height - settings.memoTop;
    // Kept in hundredths: rounding to tenths would let labels drift off a sheet of many rows.
    settings.leftMargin = sheet.sideMargin;
    settings.columnWidth = sheet.width;
    settings.columnMargin = sheet.horizontalPitch - sheet.width;
    return settings;
}

int DefaultLabelPoints(const LabelSheet& sheet)
{
    constexpr int Lines = 5;
    constexpr int Smallest = 6;
    constexpr int Largest = 12;
    int points = Largest;
    while (points > Smallest && WholeLinesIn(LabelSettingsFor(sheet).memoHeight, points) < Lines)
        --points;
    return points;
}

} // namespace quillary
