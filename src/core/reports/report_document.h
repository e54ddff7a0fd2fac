// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

// What a composed report is: pages of placed text boxes. Every length is in hundredths of an
// inch from the page's top left corner, so a painter only scales and a test can check the
// exact place of every box without painting.
struct ReportFont
{
    std::string family = "Arial";
    int points = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const ReportFont&) const = default;
};

enum class ReportAlign { Left, Center, Right };

struct ReportBox
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // One entry per printed line, each of them whole inside the box (see report_lines.h); a
    // line wider than the box is shortened with an ellipsis by the painter.
    std::vector<std::string> lines;
    ReportFont font;
    ReportAlign align = ReportAlign::Left;
    // White text on a grey ground (the book's letter headings).
    bool inverse = false;
};

struct ReportPage
{
    std::vector<ReportBox> boxes;
};

// Where a report's lines are printed, as a warning about lines left out names it.
enum class FitPlace { Page, Labels, Envelope };

struct ReportDocument
{
    std::string title;
    int pageWidth = 0;
    int pageHeight = 0;
    bool landscape = false;
    std::vector<ReportPage> pages;
    // Lines that did not fit whole in their boxes and were left out.
    int linesLeftOut = 0;
    FitPlace fitPlace = FitPlace::Page;
};

} // namespace quillary
