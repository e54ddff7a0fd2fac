// SPDX-License-Identifier: GPL-3.0-or-later
// Birthdays and anniversaries brought in: where their reminders stand, and that every way out
// (cards, delimited text, the data file, the sync's card fields) gives the date back as it came.
#include "support/csv_text.h"
#include "support/fake_services.h"

#include "exchange/csv_export.h"
#include "exchange/party_vcard.h"
#include "exchange/record_types.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "model/record_reader.h"
#include "model/record_writer.h"
#include "shell/import_request.h"
#include "sync/card_mapping.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {
struct Case
{
    CivilDate today;
    std::string version; // of the card read and written
    std::string lines;   // the card's date lines
    std::string title;
    std::string reminder; // where it stands, in the data file's form
    std::string origin;
    std::string written; // the card's line on export
    std::string single;  // the sync's field and its value
    std::string value;
};

const CivilDate December8{2026, 12, 8};

const Case Cases[] = {
    {December8, "3.0", "BDAY:1970-04-23", "Birthday", "2027,4,23,2", "1970-04-23", "BDAY:1970-04-23", "BDAY",
     "1970-04-23"},
    {{2026, 4, 1}, "3.0", "BDAY:1970-04-23", "Birthday", "2026,4,23,2", "1970-04-23", "BDAY:1970-04-23", "BDAY",
     "1970-04-23"},
    {{2026, 4, 23}, "3.0", "BDAY:1970-04-23T00:00:00Z", "Birthday", "2026,4,23,2", "1970-04-23", "BDAY:1970-04-23",
     "BDAY", "1970-04-23"},
    {{2026, 4, 24}, "4.0", "BDAY:19700423", "Birthday", "2027,4,23,2", "1970-04-23", "BDAY:19700423", "BDAY",
     "19700423"},
    {December8, "3.0", "BDAY:1972-02-29", "Birthday", "2027,2,28,2", "1972-02-29", "BDAY:1972-02-29", "BDAY",
     "1972-02-29"},
    {{2027, 3, 1}, "4.0", "BDAY:19720229", "Birthday", "2028,2,29,2", "1972-02-29", "BDAY:19720229", "BDAY",
     "19720229"},
    {{2028, 2, 29}, "3.0", "BDAY:--02-29", "Birthday", "2028,2,29,2", "--02-29", "BDAY:--02-29", "BDAY", "--02-29"},
    {December8, "3.0", "BDAY:--04-23", "Birthday", "2027,4,23,2", "--04-23", "BDAY:--04-23", "BDAY", "--04-23"},
    {December8, "4.0", "BDAY:--1208", "Birthday", "2026,12,8,2", "--12-08", "BDAY:--1208", "BDAY", "--1208"},
    {December8, "4.0", "ANNIVERSARY:20010615", "Anniversary", "2027,6,15,2", "2001-06-15", "ANNIVERSARY:20010615",
     "ANNIVERSARY", "20010615"},
    {December8, "3.0", "X-ANNIVERSARY:2001-06-15", "Anniversary", "2027,6,15,2", "2001-06-15",
     "X-ANNIVERSARY:2001-06-15", "ANNIVERSARY", "2001-06-15"},
    {December8, "3.0", "item1.X-ABDATE:1999-01-02\r\nitem2.X-ABDATE:2001-06-15\r\nitem2.X-ABLabel:_$!<Anniversary>!$_",
     "Anniversary", "2027,6,15,2", "2001-06-15", "X-ANNIVERSARY:2001-06-15", "ANNIVERSARY", "2001-06-15"},
    {December8, "3.0", "ANNIVERSARY:2030-05-01", "Anniversary", "2030,5,1,2", "2030-05-01",
     "X-ANNIVERSARY:2030-05-01", "ANNIVERSARY", "2030-05-01"},
};

std::string Card(const Case& c, std::string_view lines)
{
    return "BEGIN:VCARD\r\nVERSION:" + c.version + "\r\nFN:Jane Doe\r\nN:Doe;Jane;;;\r\n" + std::string(lines) +
           "\r\nEND:VCARD\r\n";
}

TPersonObject& ImportedPerson(ItemTree& tree, const std::string& card)
{
    std::istringstream in(card);
    FixedOrgCardAnswer person(false);
    ImportVCardFile(in, tree.Root(), person);
    return dynamic_cast<TPersonObject&>(*tree.Root().ChildAt(tree.Root().ChildCount() - 1)->Data());
}

const TReminderObject& OnlyReminder(const TPersonObject& person)
{
    EXPECT_EQ(person.ChildCount(), 1);
    return dynamic_cast<const TReminderObject&>(*person.ChildAt(0));
}

// Where the reminder stands and what it stands for.
std::string Standing(const TReminderObject& reminder)
{
    return reminder.GetTitle() + " " + reminder.RecurDate().GetAsText() + " " + OriginText(reminder.Began());
}

VCardVersion VersionOf(const Case& c)
{
    return c.version == "4.0" ? VCardVersion::V40 : VCardVersion::V30;
}

std::string CardOf(const TPersonObject& person, VCardVersion version)
{
    std::string text;
    MakeVCard(person, version).AppendCard(text, version);
    return text;
}

std::string CsvOf(ItemTree& tree)
{
    const RecordType& person = *RecordTypeOfKind(KindPerson);
    std::ostringstream out;
    WriteCsvRows(tree.Root(), {{person.fields.begin(), person.fields.end()}, KindPerson, true}, out);
    return out.str();
}

std::string RecordsOf(TreeNode& start)
{
    std::ostringstream out;
    WriteSubtreeRecords(start, out);
    return out.str();
}
} // namespace

TEST(YearlyDates, ADateStandsOnItsNextOccurrenceAndEveryWayOutGivesItBackAsItCame)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.lines + " on " + std::to_string(c.today.year) + "-" + std::to_string(c.today.month) + "-" +
                     std::to_string(c.today.day));
        TestWorld world;
        world.clock.today = c.today;
        ItemTree tree(world.Services());
        const TPersonObject& person = ImportedPerson(tree, Card(c, c.lines));
        const TReminderObject& reminder = OnlyReminder(person);
        const std::string expected = c.title + " " + c.reminder + " " + c.origin;
        EXPECT_EQ(Standing(reminder), expected);
        EXPECT_EQ(reminder.GetTarget(), reminder.RecurDate().GetDateText());
        EXPECT_EQ(reminder.IsDue(), reminder.RecurDate().GetDate() == c.today);

        // A card of the same version says what the card said, and reads back to the same reminder.
        const std::string card = CardOf(person, VersionOf(c));
        EXPECT_NE(card.find("\r\n" + c.written + "\r\n"), std::string::npos) << card;
        ItemTree fromCard(world.Services());
        EXPECT_EQ(Standing(OnlyReminder(ImportedPerson(fromCard, card))), expected);

        // So does delimited text with field names.
        const std::string csv = CsvOf(tree);
        EXPECT_NE(csv.find(c.origin), std::string::npos) << csv;
        ItemTree fromCsv(world.Services());
        ImportText(fromCsv, csv, WithHeader(KindPerson));
        ASSERT_EQ(fromCsv.Root().ChildCount(), 1);
        EXPECT_EQ(Standing(OnlyReminder(dynamic_cast<TPersonObject&>(*fromCsv.Root().FirstChild()->Data()))), expected);

        // The data file keeps both dates.
        const std::string records = RecordsOf(tree.Root());
        ItemTree fromFile(world.Services());
        std::istringstream in(records);
        ReadItems(in, fromFile.Root());
        EXPECT_EQ(RecordsOf(fromFile.Root()), records);
        EXPECT_EQ(Standing(OnlyReminder(dynamic_cast<TPersonObject&>(*fromFile.Root().FirstChild()->Data()))), expected);

        // The sync's fields of the item are the card's, so nothing seems changed on either side.
        const CardFields local = LocalFields(person, c.version, {});
        ASSERT_TRUE(local.singles.count(c.single));
        EXPECT_EQ(local.singles.at(c.single).value, c.value);
        EXPECT_EQ(ServerFields(Card(c, c.lines), c.version, {}), local);
    }
}

TEST(YearlyDates, AReminderWithoutAnOriginReadsAndWritesAsBefore)
{
    TestWorld world;
    ItemTree tree(world.Services());
    std::istringstream in("{1 3 }Jane Doe~~ Jane Doe~~~~2\r\n{Pers}~~Jane~~~~Doe~~~~~~~~~~~~0\r\n"
                          "{2 9 }Birthday~~4/23/1970~~~~3\r\n{Remd}1970,4,23,2~~0\r\n"
                          "{2 9 }Anniversary~~6/15/2027~~~~4\r\n{Remd}2027,6,15,2~~0~~not a date\r\n");
    ReadItems(in, tree.Root());
    const auto& person = dynamic_cast<const TPersonObject&>(*tree.Root().FirstChild()->Data());
    ASSERT_EQ(person.ChildCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(dynamic_cast<const TReminderObject&>(*person.ChildAt(i)).Origin());
    EXPECT_TRUE(dynamic_cast<const TReminderObject&>(*person.ChildAt(0)).IsDue());
    const std::string records = RecordsOf(tree.Root());
    EXPECT_NE(records.find("{Remd}1970,4,23,2~~0\r\n"), std::string::npos) << records;
    EXPECT_NE(records.find("{Remd}2027,6,15,2~~0\r\n"), std::string::npos) << records;
    const std::string card = CardOf(person, VCardVersion::V30);
    EXPECT_NE(card.find("BDAY:1970-04-23"), std::string::npos);
    EXPECT_NE(card.find("X-ANNIVERSARY:2027-06-15"), std::string::npos);
}

TEST(YearlyDates, AMovedDateKeepsItsOriginsYear)
{
    struct Moved
    {
        std::optional<YearlyOrigin> origin;
        CivilDate date;
        std::string began;
        std::optional<int> years;
    };
    const Moved cases[] = {
        {YearlyOrigin{1970, 4, 23}, {2027, 4, 23}, "1970-04-23", 57},
        {YearlyOrigin{1970, 4, 23}, {2031, 4, 23}, "1970-04-23", 61}, // advanced four times
        {YearlyOrigin{1970, 4, 23}, {2027, 4, 24}, "1970-04-24", 57}, // moved a day
        {YearlyOrigin{1970, 4, 23}, {1960, 5, 1}, "1960-05-01", std::nullopt},
        {YearlyOrigin{1970, 4, 23}, {1970, 4, 23}, "1970-04-23", std::nullopt},
        {YearlyOrigin{1971, 4, 23}, {2028, 2, 29}, "2028-02-29", std::nullopt},
        {YearlyOrigin{1972, 2, 29}, {2028, 2, 28}, "1972-02-29", 56},
        {YearlyOrigin{0, 4, 23}, {2027, 4, 23}, "--04-23", std::nullopt},
        {YearlyOrigin{0, 4, 23}, {2027, 5, 2}, "--05-02", std::nullopt},
        {std::nullopt, {2027, 4, 23}, "2027-04-23", std::nullopt},
    };
    for (const Moved& c : cases) {
        SCOPED_TRACE(c.began);
        EXPECT_EQ(OriginText(BeganOn(c.origin, c.date)), c.began);
        EXPECT_EQ(YearsSince(c.origin, c.date), c.years);
    }
    for (const char* text : {"1970-04-23", "--04-23", "--02-29", "9999-12-31"})
        EXPECT_EQ(OriginText(*ParseOriginText(text)), text);
    for (const char* text : {"", "0000-04-23", "1970-02-29", "1970-4-23", "-04-23", "1-04-23", "--04-23x", "x"})
        EXPECT_FALSE(ParseOriginText(text)) << text;
}
