// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/page_settings.h"
#include "reports/report_engine.h"
#include "reports/report_sources.h"

#include <string>
#include <vector>

namespace quillary {

class ItemTree;

// The five report layouts, set up from the report dialog's choices. Margins and the gutter are
// tenths of an inch as the dialog shows them; the returned report asks its records from the
// tree when composed, so the tree must outlive it and stay unchanged until then.
struct ListOptions
{
    std::string title;
    std::string source; // the listing's "Source:" line
    std::string date;   // the listing's "created:" date
    bool landscape = false;
    int leftMargin = 0;
    int topMargin = 5;
    int bottomMargin = 5;
    ReportFont font;
};
TReport MakeListingReport(const ItemTree& tree, NodeRange range, const ListOptions& options);
TReport MakeSimpleReport(const ItemTree& tree, NodeRange range, const ListOptions& options);

struct BookOptions
{
    int columns = 1;
    int gutter = 10;
    bool landscape = false;
    int leftMargin = 0;
    int topMargin = 5;
    int bottomMargin = 5;
    ReportFont font;
};
TReport MakeBookReport(const ItemTree& tree, NodeRange range, const BookOptions& options);

TReport MakeLabelReport(const ItemTree& tree, NodeRange range, const LabelSheet& sheet, const ReportFont& font);

struct EnvelopeOptions
{
    EnvelopeSize size = EnvelopeSizes()[0];
    std::vector<std::string> delivery;
    std::vector<std::string> returnAddress;
    bool omitReturn = false;
    ReportFont deliveryFont;
    ReportFont returnFont;
};
// The envelope's memos are placed for the page they will be printed on (landscape).
TReport MakeEnvelopeReport(const EnvelopeOptions& options, ReportPageSize paper);

} // namespace quillary
