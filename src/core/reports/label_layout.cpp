// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"

#include <memory>

namespace quillary {
namespace {

struct LabelCursor
{
    std::vector<ReportEntry> entries;
    std::size_t next = 0;
};

} // namespace

TReport MakeLabelReport(const ItemTree& tree, NodeRange range, const LabelSheet& sheet, const ReportFont& font)
{
    const LabelSettings settings = LabelSettingsFor(sheet);
    TReport report;
    report.fitPlace = FitPlace::Labels;
    report.columns = settings.columns;
    report.leftMargin = settings.leftMargin;
    report.columnWidth = settings.columnWidth;
    report.columnMargin = settings.columnMargin;
    report.AddBand(BandType::PageHeader, settings.pageHeaderHeight, "TopBand");
    report.AddBand(BandType::Detail, settings.detailHeight, "LabelBand")
        .elements.push_back(MakeElement("LabelMemo", settings.memoLeft, settings.memoTop, settings.memoWidth,
                                        settings.memoHeight, font));
    auto cursor = std::make_shared<LabelCursor>(LabelCursor{LabelEntries(tree, range)});
    report.needData = [cursor](TReport& running) {
        if (cursor->next == cursor->entries.size())
            return false;
        running.Band("LabelBand").Element("LabelMemo").lines = LabelLines(cursor->entries[cursor->next++]);
        return true;
    };
    return report;
}

} // namespace quillary
