// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "exchange/csv_import.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "reports/report_layouts.h"
#include "reports/report_lines.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

constexpr ReportPageSize Letter{850, 1100};

// A folder of n persons, each with a primary address and phone.
void AddPersons(ItemTree& tree, int count)
{
    std::ostringstream rows;
    for (int i = 0; i < count; ++i)
        rows << "P" << 1000 + i << ",Ann,Lee" << 1000 + i << ",1 Main St,Springfield,IL,62701,USA,555 " << i << "\r\n";
    std::istringstream in(rows.str());
    ImportCSV(in, tree.Root(),
              {KindPerson,
               {"Title", "First Name", "Last Name", "Address Line 1", "City", "State/Province", "Postal Code",
                "Country", "Phone Number"}});
}

std::vector<const ReportBox*> BoxesWithText(const ReportDocument& document, std::size_t page, const std::string& first)
{
    std::vector<const ReportBox*> found;
    for (const ReportBox& box : document.pages.at(page).boxes)
        if (!box.lines.empty() && box.lines.front() == first)
            found.push_back(&box);
    return found;
}

class ReportLayouts : public ::testing::Test
{
protected:
    TestWorld world;
    ItemTree tree{world.Services()};
};

TEST_F(ReportLayouts, Avery5160LabelsLandOnTheSheetThreeAcrossTenDown)
{
    AddPersons(tree, 31);
    const LabelSheet& sheet = *FindLabelSheet("Avery 5160-Address");
    TReport report = MakeLabelReport(tree, RangeOf(tree.Root()), sheet, ReportFont{});
    const ReportDocument document = report.Compose(Letter);
    ASSERT_EQ(document.pages.size(), 2u);
    std::vector<const ReportBox*> labels;
    for (const ReportBox& box : document.pages[0].boxes)
        if (!box.lines.empty())
            labels.push_back(&box);
    ASSERT_EQ(labels.size(), 30u);
    // Filled down the first column, then the second, then the third.
    for (int i = 0; i < 30; ++i) {
        const int column = i / 10, row = i % 10;
        SCOPED_TRACE(i);
        EXPECT_EQ(labels[i]->left, 19 + column * 275 + 10);
        EXPECT_EQ(labels[i]->top, 50 + row * 100 + 10);
        EXPECT_EQ(labels[i]->width, 253);
        EXPECT_EQ(labels[i]->height, 90);
    }
    EXPECT_EQ(labels[0]->lines, (std::vector<std::string>{"Ann Lee1000", "1 Main St", "Springfield, IL", "62701 USA"}));
    EXPECT_EQ(BoxesWithText(document, 1, "Ann Lee1030").size(), 1u);
}

TEST_F(ReportLayouts, ListingFromAFolderListsItsPersonsAndNotTheNodeItself)
{
    AddPersons(tree, 2);
    ListOptions options;
    options.title = "Contact List";
    options.source = "My Contacts";
    options.date = "12/8/26";
    TReport report = MakeListingReport(tree, RangeOf(tree.Root()), options);
    const ReportDocument document = report.Compose(Letter);
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(BoxesWithText(document, 0, "Contact List").size(), 1u);
    EXPECT_EQ(BoxesWithText(document, 0, "P1000").size(), 2u); // the name and the address memo's first line
    EXPECT_EQ(BoxesWithText(document, 0, "555 1").size(), 1u);

    TReport own = MakeListingReport(tree, RangeOf(*tree.Root().FirstChild()), options);
    const ReportDocument nothing = own.Compose(Letter);
    EXPECT_TRUE(BoxesWithText(nothing, 0, "P1000").empty());
    EXPECT_EQ(BoxesWithText(nothing, 0, "Contact").size(), 1u); // the column headings still print
}

TEST_F(ReportLayouts, BookHeadsEachLetterOnceAcrossItsColumn)
{
    AddPersons(tree, 2);
    BookOptions options;
    options.columns = 2;
    TReport report = MakeBookReport(tree, RangeOf(tree.Root()), options);
    const ReportDocument document = report.Compose(Letter);
    const auto headings = BoxesWithText(document, 0, "L");
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_TRUE(headings[0]->inverse);
    const int usable = (850 - 2 * 25 - 100) / 2; // a quarter inch each side, a gutter of 1 inch
    EXPECT_EQ(headings[0]->width, usable);
    EXPECT_EQ(BoxesWithText(document, 0, "Lee1000, Ann ").size(), 1u);
}

TEST_F(ReportLayouts, BookNameEndsBeforeThePhoneColumnAndIsAsTallAsItsFace)
{
    AddPersons(tree, 1);
    BookOptions options;
    options.columns = 2;
    options.font.points = 14;
    const ReportDocument document = MakeBookReport(tree, RangeOf(tree.Root()), options).Compose(Letter);
    const auto names = BoxesWithText(document, 0, "Lee1000, Ann ");
    const auto phones = BoxesWithText(document, 0, "555 0");
    ASSERT_EQ(names.size(), 1u);
    ASSERT_EQ(phones.size(), 1u);
    const int column = (850 - 2 * 25 - 100) / 2;
    EXPECT_EQ(names[0]->left, 25);
    EXPECT_LT(names[0]->left + names[0]->width, phones[0]->left);
    EXPECT_EQ(phones[0]->left + phones[0]->width, 25 + column * 64 / 100 + column * 36 / 100);
    EXPECT_GE(names[0]->height, LineHeightOf(14));
    EXPECT_EQ(document.linesLeftOut, 0);
}

TEST_F(ReportLayouts, EnvelopeLiesAgainstThePagesRightEdge)
{
    EnvelopeOptions options;
    options.delivery = {"Jane Doe", "1 Main St"};
    options.returnAddress = {"Me", "Here"};
    TReport report = MakeEnvelopeReport(options, Letter);
    const ReportDocument document = report.Compose(Letter);
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_TRUE(document.landscape);
    EXPECT_EQ(document.pageWidth, 1100);
    const auto delivery = BoxesWithText(document, 0, "Jane Doe");
    const auto sender = BoxesWithText(document, 0, "Me");
    ASSERT_EQ(delivery.size(), 1u);
    ASSERT_EQ(sender.size(), 1u);
    EXPECT_EQ(delivery[0]->left, 1100 - 950 + 300);
    EXPECT_EQ(delivery[0]->top, (850 - 412) / 2 + 152);
    EXPECT_EQ(sender[0]->left, 1100 - 950 + 50);
    EXPECT_EQ(sender[0]->top, (850 - 412) / 2 + 30);

    options.omitReturn = true;
    TReport omitted = MakeEnvelopeReport(options, Letter);
    const ReportDocument alone = omitted.Compose(Letter);
    EXPECT_EQ(alone.pages[0].boxes.size(), 1u);
}

} // namespace
