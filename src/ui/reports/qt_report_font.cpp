// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/qt_report_font.h"

#include "ui/text_codec.h"

#include <cmath>

namespace quillary {

ReportFont ReportFontOf(const QFont& font)
{
    ReportFont result;
    result.family = ToField(font.family());
    // A font sized in pixels has no point size; the report's own default stands then.
    if (font.pointSizeF() > 0)
        result.points = static_cast<int>(std::lround(font.pointSizeF()));
    result.bold = font.bold();
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    return result;
}

QFont QFontOf(const ReportFont& font)
{
    QFont result(FromField(font.family), font.points);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

} // namespace quillary
