// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/kpx_object.h"
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"

#include <memory>

namespace quillary {
namespace {

struct SimpleColumn
{
    const char* heading;
    const char* element;
    int left;
    int width;
};

constexpr SimpleColumn Columns[] = {
    {"Title", "Title", 0, 240},
    {"Target", "Target", 250, 260},
    {"Comment", "Comment", 520, 280},
};

struct SimpleCursor
{
    std::vector<ReportEntry> entries;
    std::size_t next = 0;
};

void AddBands(TReport& report, const ListOptions& options)
{
    ReportBand& title = report.AddBand(BandType::Title, 40, "QRBand2");
    ReportElement caption = MakeElement("QRLabel1", 0, 0, 600, 30, Sized(options.font, 14), options.title);
    caption.centred = true;
    caption.align = ReportAlign::Center;
    title.elements.push_back(caption);
    report.AddBand(BandType::ColumnHeader, 24, "QRBand3");
    report.AddBand(BandType::Detail, LineHeight + 2, "QRBand4");
    for (const SimpleColumn& column : Columns) {
        report.Band("QRBand3").elements.push_back(MakeElement(std::string("Heading") + column.element, column.left, 4,
                                                              column.width, LineHeight, Sized(options.font, 8, true),
                                                              column.heading));
        report.Band("QRBand4").elements.push_back(
            MakeElement(column.element, column.left, 0, column.width, LineHeight, Sized(options.font, 8)));
    }
}

void FillDetail(ReportBand& detail, const TKPXObject* item)
{
    detail.Element("Title").SetText(item ? item->GetTitle() : std::string());
    detail.Element("Target").SetText(item ? item->GetTarget() : std::string());
    detail.Element("Comment").SetText(item ? item->GetComment() : std::string());
}

} // namespace

TReport MakeSimpleReport(const ItemTree& tree, NodeRange range, const ListOptions& options)
{
    TReport report;
    report.landscape = options.landscape;
    report.leftMargin = ListMargin(options.leftMargin);
    report.AddBand(BandType::PageHeader, FromTenths(options.topMargin), "QRBand1");
    AddBands(report, options);
    report.AddBand(BandType::PageFooter, FromTenths(options.bottomMargin), "QRBand5");
    auto cursor = std::make_shared<SimpleCursor>(SimpleCursor{SimpleEntries(tree, range)});
    report.needData = [cursor](TReport& running) {
        const bool more = cursor->next < cursor->entries.size();
        FillDetail(running.Band("QRBand4"), more ? cursor->entries[cursor->next++].item : nullptr);
        return more;
    };
    return report;
}

} // namespace quillary
