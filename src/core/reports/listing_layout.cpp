// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"

#include <algorithm>
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
    {"Contact", "Name", 0, 135},    {"Address", "Address", 140, 165}, {"Phone Number", "Phone", 310, 95},
    {"FAX Number", "Fax", 410, 95}, {"E-Mail", "EMail", 510, 150},    {"URL", "URLAddr", 665, 135},
};
constexpr int AddressLines = 6; // the title and up to five lines of address
constexpr int DetailGap = 10;

// The detail band is as tall as the record's address.
void FitAddress(ReportBand& detail)
{
    const auto lines = static_cast<int>(detail.Element("Address").lines.size());
    detail.height = std::max(1, lines) * LineHeight + DetailGap;
}

void AddTitleBand(TReport& report, const ListOptions& options)
{
    ReportBand& band = report.AddBand(BandType::Title, 70, "TitleBand");
    const ReportFont small = Sized(options.font, 8);
    ReportElement title = MakeElement("QRLabel1", 0, 0, 600, 30, Sized(options.font, 14), options.title);
    title.centred = true;
    title.align = ReportAlign::Center;
    band.elements.push_back(title);
    band.elements.push_back(MakeElement("SourceLabel", 0, 40, 60, LineHeight, small, "Source:"));
    band.elements.push_back(MakeElement("QualName", 60, 40, 480, LineHeight, small, options.source));
    band.elements.push_back(MakeElement("CreatedLabel", 560, 40, 60, LineHeight, small, "created:"));
    band.elements.push_back(MakeElement("DateCreated", 620, 40, 180, LineHeight, small, options.date));
}

void AddColumnBands(TReport& report, const ListOptions& options)
{
    report.AddBand(BandType::ColumnHeader, 24, "QRBand1");
    report.AddBand(BandType::Detail, LineHeight * AddressLines + DetailGap, "QRBand2").beforePrint = FitAddress;
    ReportBand& header = report.Band("QRBand1");
    ReportBand& detail = report.Band("QRBand2");
    for (const ListingColumn& column : Columns) {
        header.elements.push_back(MakeElement(std::string("Heading") + column.element, column.left, 4, column.width,
                                              LineHeight, Sized(options.font, 8, true), column.heading));
        const int height = std::string_view(column.element) == "Address" ? LineHeight * AddressLines : LineHeight;
        detail.elements.push_back(
            MakeElement(column.element, column.left, 0, column.width, height, Sized(options.font, 8)));
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
    report.leftMargin = ListMargin(options.leftMargin);
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
