// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"

#include <memory>

namespace quillary {
namespace {

struct ListingColumn
{
    const char* heading;
    const char* element;
    int left;
    int width;
};

// Designed for a portrait page; a landscape page leaves room to the right.
constexpr ListingColumn Columns[] = {
    {"Contact", "Name", 0, 150},     {"Address", "Address", 155, 200}, {"Phone Number", "Phone", 360, 100},
    {"FAX Number", "Fax", 465, 100}, {"E-Mail", "EMail", 570, 130},    {"URL", "URLAddr", 705, 95},
};
constexpr int AddressLines = 7; // the title and up to six lines of address

void AddTitleBand(TReport& report, const ListOptions& options)
{
    ReportBand& band = report.AddBand(BandType::Title, 70, "TitleBand");
    const ReportFont small = Sized(options.font, 8);
    ReportElement title = MakeElement("QRLabel1", 0, 0, 600, 30, Sized(options.font, 14), options.title);
    title.centred = true;
    title.align = ReportAlign::Center;
    band.elements.push_back(title);
    band.elements.push_back(MakeElement("SourceLabel", LayoutInset, 40, 60, LineHeight, small, "Source:"));
    band.elements.push_back(MakeElement("QualName", LayoutInset + 60, 40, 480, LineHeight, small, options.source));
    band.elements.push_back(MakeElement("CreatedLabel", LayoutInset + 560, 40, 60, LineHeight, small, "created:"));
    band.elements.push_back(MakeElement("DateCreated", LayoutInset + 620, 40, 180, LineHeight, small, options.date));
}

void AddColumnBands(TReport& report, const ListOptions& options)
{
    report.AddBand(BandType::ColumnHeader, 24, "QRBand1");
    report.AddBand(BandType::Detail, LineHeight * AddressLines + 8, "QRBand2");
    ReportBand& header = report.Band("QRBand1");
    ReportBand& detail = report.Band("QRBand2");
    for (const ListingColumn& column : Columns) {
        const int left = LayoutInset + column.left;
        header.elements.push_back(MakeElement(std::string("Heading") + column.element, left, 4, column.width,
                                              LineHeight, Sized(options.font, 8, true), column.heading));
        const int height = std::string_view(column.element) == "Address" ? LineHeight * AddressLines : LineHeight;
        detail.elements.push_back(MakeElement(column.element, left, 0, column.width, height, Sized(options.font, 8)));
    }
}

void FillDetail(ReportBand& detail, const ListingRecord& record)
{
    detail.Element("Name").SetText(record.name);
    detail.Element("Address").lines = record.address;
    detail.Element("Phone").SetText(record.phone);
    detail.Element("Fax").SetText(record.fax);
    detail.Element("EMail").SetText(record.email);
    detail.Element("URLAddr").SetText(record.url);
}

} // namespace

TReport MakeListingReport(const ItemTree& tree, NodeRange range, const ListOptions& options)
{
    TReport report;
    report.landscape = options.landscape;
    report.leftMargin = FromTenths(options.leftMargin);
    report.AddBand(BandType::PageHeader, FromTenths(options.topMargin), "QRBand3");
    AddTitleBand(report, options);
    AddColumnBands(report, options);
    report.AddBand(BandType::PageFooter, FromTenths(options.bottomMargin), "QRBand4");
    auto source = std::make_shared<ListingSource>(tree, range);
    report.needData = [source](TReport& running) {
        ListingRecord record;
        const bool more = source->Next(record);
        FillDetail(running.Band("QRBand2"), more ? record : ListingRecord{});
        return more;
    };
    return report;
}

} // namespace quillary
