// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/layout_elements.h"
#include "reports/report_layouts.h"
#include "reports/report_lines.h"

#include <algorithm>
#include <memory>

namespace quillary {
namespace {

constexpr int HeadingHeight = 30;
constexpr int MemoHeight = 89;
constexpr int MemoIndent = 25;
// Percent of the column: the name's part, then a gap, then the phone number's.
constexpr int NameShare = 62;
constexpr int PhoneShare = 36;

void AddBands(TReport& report, const BookOptions& options)
{
    const ReportFont font = Sized(options.font, 8);
    ReportElement heading = MakeElement("GrpHeader", 0, 2, 0, HeadingHeight - 4, Sized(options.font, 14));
    heading.align = ReportAlign::Center;
    heading.inverse = true;
    report.AddBand(BandType::Detail, HeadingHeight, "QRBand1").elements.push_back(heading);
    // The name keeps the type face's own size, in bold, as tall as that needs; the phone number
    // takes the right part of the column, and the name's box ends before it, so a long name is
    // shortened instead of printing over the number.
    ReportFont nameFont = options.font;
    nameFont.bold = true;
    const int nameHeight = std::max(LineHeight + 2, OneLineHeight(nameFont.points));
    ReportBand& entry = report.AddBand(BandType::Detail, nameHeight + 2, "QRBand2");
    ReportElement name = MakeElement("Name", 0, 2, 0, nameHeight, nameFont);
    name.shareWidth = NameShare;
    entry.elements.push_back(name);
    ReportElement phone = MakeElement("Phone", 0, 2, 0, LineHeight, font);
    phone.shareLeft = 100 - PhoneShare;
    phone.shareWidth = PhoneShare;
    phone.align = ReportAlign::Right;
    entry.elements.push_back(phone);
    ReportBand& memo = report.AddBand(BandType::Detail, MemoHeight, "QRBand3");
    memo.elements.push_back(MakeElement("QRMemo1", MemoIndent, 0, 0, MemoHeight, font));
    memo.beforePrint = [](ReportBand& band) { band.height = band.Element("QRMemo1").lines.empty() ? 0 : MemoHeight; };
}

void FillDetail(TReport& report, const BookRecord& record)
{
    ReportBand& letter = report.Band("QRBand1");
    letter.enabled = record.newLetter;
    letter.Element("GrpHeader").SetText(record.letter);
    report.Band("QRBand2").Element("Name").SetText(record.name);
    report.Band("QRBand2").Element("Phone").SetText(record.phone);
    report.Band("QRBand3").Element("QRMemo1").lines = record.memo;
}

} // namespace

TReport MakeBookReport(const ItemTree& tree, NodeRange range, const BookOptions& options)
{
    TReport report;
    report.landscape = options.landscape;
    report.columns = options.columns;
    report.columnMargin = FromTenths(options.gutter);
    report.leftMargin = ListMargin(options.leftMargin);
    report.AddBand(BandType::PageHeader, FromTenths(options.topMargin), "QRBand4");
    AddBands(report, options);
    report.AddBand(BandType::PageFooter, FromTenths(options.bottomMargin), "QRBand5");
    auto source = std::make_shared<BookSource>(BookEntries(tree, range));
    report.needData = [source](TReport& running) {
        BookRecord record;
        if (!source->Next(record))
            return false;
        FillDetail(running, record);
        return true;
    };
    return report;
}

} // namespace quillary
