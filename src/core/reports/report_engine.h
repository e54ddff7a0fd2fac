// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_document.h"

#include <functional>
#include <string>
#include <vector>

namespace quillary {

// A small banded report engine. Lengths are hundredths of an inch. A page is laid out as
//   page margin (PageMarginTop), page header band, title band (first page only), column
//   header band, detail bands filling the columns down then across, page footer band at the
//   foot (PageMarginBottom above the page's lower edge).
// A box keeps the lines that fit whole in its height (report_lines.h); the others are left out
// and counted in the document.
// Detail bands are printed as one group per record, in the order they were added; a group that
// does not fit below the last one in the column goes to the top of the next column, and after
// the last column to a new page. Header, title and footer bands span the whole width from the
// left margin; detail bands are placed in their column.
inline constexpr int PageMarginTop = 25;
inline constexpr int PageMarginBottom = 25;

enum class BandType { PageHeader, Title, ColumnHeader, Detail, PageFooter };

// A label or memo on a band, placed relative to the band's top left corner (in a column: the
// column's left edge).
struct ReportElement
{
    std::string name;
    int left = 0;
    int top = 0;
    int width = 0; // 0 reaches from left to the right edge of the band or column
    int height = 0;
    // When shareWidth is set, left and width are these shares of the band's or column's width
    // instead (percent), for columns whose width only the page decides.
    int shareLeft = 0;
    int shareWidth = 0;
    std::vector<std::string> lines;
    ReportFont font;
    ReportAlign align = ReportAlign::Left;
    bool inverse = false;
    // When set, the element is centred across the band's width (its left is ignored).
    bool centred = false;

    void SetText(const std::string& text) { lines.assign(1, text); }
};

struct ReportBand
{
    std::string name;
    BandType type = BandType::Detail;
    int height = 0;
    bool enabled = true;
    std::vector<ReportElement> elements;
    // Called just before the band is placed, once per record for detail bands; may change the
    // band's height, enabled flag and elements.
    std::function<void(ReportBand&)> beforePrint;

    ReportElement& Element(const std::string& name);
};

struct ReportPageSize
{
    int width = 850; // portrait, as the paper is fed; swapped for landscape
    int height = 1100;
};

class TReport
{
public:
    std::string title = "Quillary Printing";
    bool landscape = false;
    int columns = 1;
    int leftMargin = 0;   // hundredths: left edge of the first column and of the full-width bands
    int columnMargin = 0; // hundredths between two columns
    // Hundredths; 0 shares the width between the left margin and an equal right margin.
    int columnWidth = 0;
    // Names the report's places in the warning about lines left out.
    FitPlace fitPlace = FitPlace::Page;
    // Fills the detail bands of the report it is given with the next record; answers false when
    // there is none. Without it the report prints its page frame once (header, title, column
    // header, footer).
    std::function<bool(TReport&)> needData;

    ReportBand& AddBand(BandType type, int height, std::string name = {});
    ReportBand* FindBand(BandType type);
    // The band of that name; throws std::out_of_range when there is none.
    ReportBand& Band(const std::string& name);
    std::vector<ReportBand>& Bands() { return m_bands; }

    // Runs the report: asks for every record and places the bands. Progress, when given, is
    // told each record's number and may answer false to stop (the document then ends there).
    ReportDocument Compose(ReportPageSize paper, const std::function<bool(int)>& progress = {});

private:
    std::vector<ReportBand> m_bands;
};

} // namespace quillary
