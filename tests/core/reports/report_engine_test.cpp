// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/left_out_lines.h"
#include "reports/report_engine.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quillary {
namespace {

ReportElement Label(const std::string& name, int left, int top, int width, int height)
{
    ReportElement element;
    element.name = name;
    element.left = left;
    element.top = top;
    element.width = width;
    element.height = height;
    element.SetText(name);
    return element;
}

// A report of `records` records whose detail band shows the record's number.
struct CountingReport
{
    TReport report;
    int records = 0;
    int asked = 0;

    explicit CountingReport(int count, int detailHeight = 100) : records(count)
    {
        report.needData = [this](TReport&) { return asked++ < records; };
        ReportBand& detail = report.AddBand(BandType::Detail, detailHeight);
        detail.elements.push_back(Label("n", 10, 5, 50, 20));
        detail.beforePrint = [this](ReportBand& band) { band.Element("n").SetText(std::to_string(asked)); };
    }
};

const ReportBox* FindText(const ReportPage& page, const std::string& text)
{
    for (const ReportBox& box : page.boxes)
        if (!box.lines.empty() && box.lines.front() == text)
            return &box;
    return nullptr;
}

void ExpectAt(const ReportDocument& document, std::size_t page, const std::string& text, int left, int top)
{
    ASSERT_LT(page, document.pages.size()) << text;
    const ReportBox* box = FindText(document.pages[page], text);
    ASSERT_NE(box, nullptr) << text << " on page " << page;
    EXPECT_EQ(box->left, left) << text;
    EXPECT_EQ(box->top, top) << text;
}

TEST(ReportEngine, OneColumnFlowsOntoFurtherPagesBelowTheHeaders)
{
    CountingReport r(12);
    r.report.leftMargin = 50;
    r.report.AddBand(BandType::PageHeader, 25).elements.push_back(Label("header", 0, 0, 100, 20));
    ReportBand& footer = r.report.AddBand(BandType::PageFooter, 40);
    footer.elements.push_back(Label("footer", 0, 10, 100, 20));
    const ReportDocument document = r.report.Compose({850, 1100});

    EXPECT_EQ(document.title, "Quillary Printing");
    EXPECT_EQ(document.pageWidth, 850);
    EXPECT_EQ(document.pageHeight, 1100);
    // 50..1035 holds nine 100-high records.
    ASSERT_EQ(document.pages.size(), 2u);
    ExpectAt(document, 0, "1", 60, 55);
    ExpectAt(document, 0, "9", 60, 855);
    ExpectAt(document, 1, "10", 60, 55);
    ExpectAt(document, 1, "12", 60, 255);
    for (std::size_t page = 0; page < 2; ++page) {
        ExpectAt(document, page, "header", 50, 25);
        ExpectAt(document, page, "footer", 50, 1100 - 25 - 40 + 10);
    }
    EXPECT_EQ(r.asked, 13) << "asked once per record and once more for the end";
}

TEST(ReportEngine, ThreeColumnsFillDownThenAcross)
{
    CountingReport r(31);
    r.report.columns = 3;
    r.report.leftMargin = 25;
    r.report.columnMargin = 50;
    r.report.AddBand(BandType::PageHeader, 25);
    const ReportDocument document = r.report.Compose({850, 1100});

    // (850 - 50 - 2 * 50) / 3 = 233 wide columns at 25, 308 and 591.
    ASSERT_EQ(document.pages.size(), 2u);
    ExpectAt(document, 0, "1", 35, 55);
    ExpectAt(document, 0, "10", 35, 955);
    ExpectAt(document, 0, "11", 318, 55);
    ExpectAt(document, 0, "30", 601, 955);
    ExpectAt(document, 1, "31", 35, 55);
    EXPECT_EQ(document.pages[0].boxes.size(), 30u);
}

TEST(ReportEngine, ExplicitColumnWidthAndCentredElements)
{
    CountingReport r(2, 600);
    r.report.columns = 2;
    r.report.leftMargin = 10;
    r.report.columnWidth = 300;
    r.report.columnMargin = 20;
    ReportElement centred = Label("mid", 0, 0, 100, 20);
    centred.centred = true;
    r.report.Bands()[0].elements.push_back(centred);
    ReportElement title = Label("title", 0, 0, 200, 30);
    title.centred = true;
    r.report.AddBand(BandType::Title, 30).elements.push_back(title);
    const ReportDocument document = r.report.Compose({850, 1100});

    ASSERT_EQ(document.pages.size(), 1u);
    ExpectAt(document, 0, "title", 10 + (830 - 200) / 2, 25);
    ExpectAt(document, 0, "2", 330 + 10, 55 + 5);
    const ReportPage& page = document.pages[0];
    ASSERT_EQ(page.boxes.size(), 5u);
    EXPECT_EQ(page.boxes[2].left, 10 + 100); // first record's centred memo
    EXPECT_EQ(page.boxes[4].left, 330 + 100);
}

TEST(ReportEngine, TitleOnlyFirstPageColumnHeaderEveryPage)
{
    CountingReport r(20);
    r.report.AddBand(BandType::Title, 50).elements.push_back(Label("title", 0, 0, 100, 40));
    r.report.AddBand(BandType::ColumnHeader, 30).elements.push_back(Label("columns", 0, 0, 100, 20));
    const ReportDocument document = r.report.Compose({850, 1100});

    // Page 1: records from 105, nine fit above 1075; page 2: from 55, ten fit.
    ASSERT_EQ(document.pages.size(), 3u);
    ExpectAt(document, 0, "title", 0, 25);
    ExpectAt(document, 0, "columns", 0, 75);
    ExpectAt(document, 0, "1", 10, 110);
    ExpectAt(document, 1, "columns", 0, 25);
    ExpectAt(document, 1, "10", 10, 60);
    ExpectAt(document, 2, "20", 10, 60);
    EXPECT_EQ(FindText(document.pages[1], "title"), nullptr);
    EXPECT_EQ(FindText(document.pages[2], "title"), nullptr);
}

TEST(ReportEngine, LandscapeSwapsThePaper)
{
    CountingReport r(8);
    r.report.landscape = true;
    r.report.AddBand(BandType::PageFooter, 0).elements.push_back(Label("footer", 0, 0, 10, 14));
    const ReportDocument document = r.report.Compose({850, 1100});

    EXPECT_TRUE(document.landscape);
    EXPECT_EQ(document.pageWidth, 1100);
    EXPECT_EQ(document.pageHeight, 850);
    // 25..825 holds exactly eight records.
    ASSERT_EQ(document.pages.size(), 1u);
    ExpectAt(document, 0, "8", 10, 730);
    ExpectAt(document, 0, "footer", 0, 825);
}

TEST(ReportEngine, BeforePrintDecidesHeightAndWhetherABandPrints)
{
    TReport report;
    int record = 0;
    report.needData = [&](TReport&) { return ++record <= 4; };
    ReportBand& name = report.AddBand(BandType::Detail, 100);
    name.elements.push_back(Label("name", 0, 0, 100, 20));
    name.beforePrint = [&](ReportBand& band) {
        band.height = record * 10;
        band.Element("name").SetText("name" + std::to_string(record));
    };
    ReportBand& note = report.AddBand(BandType::Detail, 15);
    note.elements.push_back(Label("note", 0, 0, 100, 20));
    note.beforePrint = [&](ReportBand& band) {
        band.enabled = record % 2 == 1;
        band.Element("note").SetText("note" + std::to_string(record));
    };
    const ReportDocument document = report.Compose({850, 1100});

    ASSERT_EQ(document.pages.size(), 1u);
    ExpectAt(document, 0, "name1", 0, 25);
    ExpectAt(document, 0, "note1", 0, 35);
    ExpectAt(document, 0, "name2", 0, 50);
    EXPECT_EQ(FindText(document.pages[0], "note2"), nullptr);
    ExpectAt(document, 0, "name3", 0, 70);
    ExpectAt(document, 0, "note3", 0, 100);
    ExpectAt(document, 0, "name4", 0, 115);
}

TEST(ReportEngine, NoRecordsStillPrintsOnePageFrame)
{
    for (const bool withNeedData : {true, false}) {
        CountingReport r(0);
        if (!withNeedData)
            r.report.needData = nullptr;
        r.report.AddBand(BandType::PageHeader, 25).elements.push_back(Label("header", 0, 0, 100, 20));
        r.report.AddBand(BandType::Title, 30).elements.push_back(Label("title", 0, 0, 100, 20));
        r.report.AddBand(BandType::PageFooter, 30).elements.push_back(Label("footer", 0, 0, 100, 20));
        const ReportDocument document = r.report.Compose({850, 1100});

        ASSERT_EQ(document.pages.size(), 1u);
        ASSERT_EQ(document.pages[0].boxes.size(), 3u);
        ExpectAt(document, 0, "title", 0, 50);
        ExpectAt(document, 0, "footer", 0, 1045);
        EXPECT_EQ(r.asked, withNeedData ? 1 : 0);
    }
}

TEST(ReportEngine, GroupTallerThanAColumnTakesAColumnOfItsOwn)
{
    CountingReport r(3, 2000);
    r.report.columns = 2;
    const ReportDocument document = r.report.Compose({850, 1100});

    ASSERT_EQ(document.pages.size(), 2u);
    ExpectAt(document, 0, "1", 10, 30);
    ExpectAt(document, 0, "2", 435, 30);
    ExpectAt(document, 1, "3", 10, 30);
}

TEST(ReportEngine, ProgressCountsRecordsAndCanStop)
{
    CountingReport r(50);
    r.report.AddBand(BandType::PageFooter, 25).elements.push_back(Label("footer", 0, 0, 100, 20));
    std::vector<int> seen;
    const ReportDocument document = r.report.Compose({850, 1100}, [&](int record) {
        seen.push_back(record);
        return record < 12;
    });

    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(r.asked, 12);
    ASSERT_EQ(document.pages.size(), 2u);
    ExpectAt(document, 1, "12", 10, 130);
    ExpectAt(document, 1, "footer", 0, 1050);
}

TEST(ReportEngine, BoxesKeepTheLinesThatFitWholeAndCountTheRest)
{
    TReport report;
    int records = 0;
    report.needData = [&](TReport&) { return ++records <= 3; };
    ReportElement memo = Label("memo", 0, 0, 200, 90);
    memo.font.points = 10; // a line of 1/6 inch: five fit in 0.9 inch, not six
    memo.lines = {"1", "2", "3", "4", "5", "6", "7"};
    ReportBand& detail = report.AddBand(BandType::Detail, 100);
    detail.elements.push_back(memo);
    report.fitPlace = FitPlace::Labels;
    const ReportDocument document = report.Compose({850, 1100});
    ASSERT_EQ(document.pages.size(), 1u);
    ASSERT_EQ(document.pages[0].boxes.size(), 3u);
    for (const ReportBox& box : document.pages[0].boxes)
        EXPECT_EQ(box.lines, (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(document.linesLeftOut, 6);
    EXPECT_EQ(document.fitPlace, FitPlace::Labels);
    EXPECT_EQ(LeftOutLinesMessage(document),
              "6 lines did not fit on their labels and were left out. A smaller type face makes room.");
}

TEST(ReportEngine, LooksUpBandsAndElements)
{
    TReport report;
    EXPECT_EQ(report.FindBand(BandType::Title), nullptr);
    report.AddBand(BandType::Title, 10, "top");
    report.AddBand(BandType::Detail, 10, "rows").elements.push_back(Label("a", 0, 0, 1, 1));
    ReportBand* detail = report.FindBand(BandType::Detail);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(&report.Band("rows"), detail);
    EXPECT_EQ(&detail->Element("a"), &detail->elements[0]);
    EXPECT_THROW(detail->Element("b"), std::out_of_range);
    EXPECT_THROW(report.Band("bottom"), std::out_of_range);
}

} // namespace
} // namespace quillary
