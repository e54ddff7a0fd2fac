// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_error.h"
#include "reports/page_settings.h"
#include "reports/progress_percent.h"
#include "reports/report_lines.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(LabelSheets, SettingsKeepTheSheetsHundredths)
{
    EXPECT_EQ(LabelSheets().front().name, "Avery 5095-Name Tag");
    EXPECT_EQ(LabelSheets().back().name, "Avery 5664-Shipping");
    EXPECT_EQ(FindLabelSheet("Avery 9999"), nullptr);

    const LabelSheet* sheet = FindLabelSheet("Avery 5160-Address");
    ASSERT_NE(sheet, nullptr);
    const LabelSettings settings = LabelSettingsFor(*sheet);
    EXPECT_EQ(settings.columns, 3);
    EXPECT_EQ(settings.detailHeight, 100);
    EXPECT_EQ(settings.pageHeaderHeight, 25);
    EXPECT_EQ(settings.memoLeft, 10);
    EXPECT_EQ(settings.memoTop, 10);
    EXPECT_EQ(settings.memoWidth, 253);
    EXPECT_EQ(settings.memoHeight, 90);
    EXPECT_EQ(settings.leftMargin, 19);
    EXPECT_EQ(settings.columnWidth, 263);
    EXPECT_EQ(settings.columnMargin, 12);
    // Three labels and two gaps span the sheet as printed on it.
    EXPECT_EQ(settings.leftMargin + 3 * settings.columnWidth + 2 * settings.columnMargin,
              sheet->sideMargin + 2 * sheet->horizontalPitch + sheet->width);
}

TEST(LabelSheets, TopMarginWithinThePagesOwnGivesNoPageHeader)
{
    LabelSheet sheet = *FindLabelSheet("Avery 5160-Address");
    sheet.topMargin = 25;
    EXPECT_EQ(LabelSettingsFor(sheet).pageHeaderHeight, 0);
    sheet.topMargin = 10;
    EXPECT_EQ(LabelSettingsFor(sheet).pageHeaderHeight, 0);
    EXPECT_EQ(LabelSettingsFor(*FindLabelSheet("Avery 5389-Post Card")).pageHeaderHeight, 125);
}

TEST(LabelSheets, DefaultTypeFacePrintsFiveWholeLinesOnEveryLabel)
{
    EXPECT_EQ(DefaultLabelPoints(*FindLabelSheet("Avery 5160-Address")), 10);
    EXPECT_EQ(DefaultLabelPoints(*FindLabelSheet("Avery 5162-Address")), 12); // larger labels stay at 12
    for (const LabelSheet& sheet : LabelSheets()) {
        const int points = DefaultLabelPoints(sheet);
        SCOPED_TRACE(std::string(sheet.name));
        EXPECT_GE(WholeLinesIn(LabelSettingsFor(sheet).memoHeight, points), 5);
        EXPECT_LE(points, 12);
    }
    // A label the user made lower gets a smaller face, down to 6 points.
    LabelSheet low = *FindLabelSheet("Avery 5160-Address");
    low.height = 75;
    EXPECT_EQ(DefaultLabelPoints(low), 7);
    low.height = 20;
    EXPECT_EQ(DefaultLabelPoints(low), 6);
}

TEST(EnvelopeSizes, PlacedAgainstTheRightEdgeAndCentred)
{
    ASSERT_EQ(EnvelopeSizes().front().name, "#10 Env (4.125 x 9.5 in)");
    const EnvelopePlacement ten = PlaceEnvelope(1100, 850, EnvelopeSizes().front());
    EXPECT_EQ(ten.deliveryLeft, 450);
    EXPECT_EQ(ten.deliveryTop, 371);
    EXPECT_EQ(ten.returnLeft, 200);
    EXPECT_EQ(ten.returnTop, 249);
    // An odd difference of heights is halved toward zero.
    const EnvelopePlacement monarch = PlaceEnvelope(1100, 851, EnvelopeSizes()[1]);
    EXPECT_EQ(monarch.deliveryLeft, 550);
    EXPECT_EQ(monarch.returnTop, 231 + 30);
}

TEST(ReturnAddressFile, RoundTripsAndReadsAnyLineEnd)
{
    test::TempDir dir;
    const auto file = dir / "ret_addr.dat";
    EXPECT_TRUE(LoadReturnAddress(file).empty());

    const std::vector<std::string> lines{"Jane Doe", "", "1 Main St"};
    SaveReturnAddress(file, lines);
    EXPECT_EQ(test::ReadWhole(file), "Jane Doe\r\n\r\n1 Main St\r\n");
    EXPECT_EQ(LoadReturnAddress(file), lines);

    test::WriteWhole(file, "a\rb\nc\r\nd");
    EXPECT_EQ(LoadReturnAddress(file), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_THROW(SaveReturnAddress(dir / "missing" / "ret_addr.dat", lines), FileError);
}

TEST(ProgressPercent, RoundsTowardZeroAndReadsFullWithoutAMaximum)
{
    EXPECT_EQ(PercentText(1, 3), "33%");
    EXPECT_EQ(PercentText(2, 3), "66%");
    EXPECT_EQ(PercentText(0, 0), "100%");
    // Large counts must not overflow on the way.
    EXPECT_EQ(ProgressPercent(2'000'000'000, 2'000'000'000), 100);
}
