// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_engine.h"

#include <string>

namespace quillary {

// Building blocks the layouts share: fonts derived from the user's type face, and elements.
inline ReportFont Sized(ReportFont font, int points, bool bold = false)
{
    font.points = points;
    font.bold = font.bold || bold;
    return font;
}

inline ReportElement MakeElement(std::string name, int left, int top, int width, int height, const ReportFont& font,
                                 std::string text = {})
{
    ReportElement element;
    element.name = std::move(name);
    element.left = left;
    element.top = top;
    element.width = width;
    element.height = height;
    element.font = font;
    if (!text.empty())
        element.SetText(text);
    return element;
}

// Tenths of an inch, as the dialog's margin fields hold them, in the engine's hundredths.
constexpr int FromTenths(int tenths)
{
    return tenths * 10;
}

// The list and book layouts keep a quarter inch inside the user's side margins, so nothing is
// printed against the paper's edge when those margins are 0.
constexpr int ListMargin(int tenths)
{
    return FromTenths(tenths) + 25;
}

// The designed line height of an 8-point text line.
inline constexpr int LineHeight = 14;

} // namespace quillary
