// SPDX-License-Identifier: GPL-3.0-or-later
// Files of today's programs: the first line as column names, separator and encoding detection,
// rows whose quoted fields span lines, and the reasons of refused rows.
#include "common/text_encoding.h"
#include "support/csv_text.h"

#include "exchange/csv_header_map.h"
#include "exchange/csv_import.h"
#include "exchange/csv_rows.h"
#include "exchange/csv_separator.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {
using Values = std::vector<std::string>;

std::vector<std::string> Titles(const ItemTree& tree)
{
    std::vector<std::string> titles;
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        titles.push_back(tree.Root().ChildAt(i)->Data()->GetTitle());
    return titles;
}

const TPersonObject* PersonTitled(const ItemTree& tree, std::string_view title)
{
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        if (tree.Root().ChildAt(i)->Data()->GetTitle() == title)
            return dynamic_cast<const TPersonObject*>(tree.Root().ChildAt(i)->Data());
    return nullptr;
}
} // namespace

TEST(TextEncoding, ByteOrderMarksDecideAndOtherwiseInvalidUtf8IsWindows1252)
{
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBFx"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("\xFF\xFEx\0"), TextEncoding::Utf16);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF\0x"), TextEncoding::Utf16);
    EXPECT_EQ(DetectTextEncoding("caf\xC3\xA9"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("caf\xE9"), TextEncoding::Cp1252);
    // Overlong forms and encoded surrogates are no UTF-8.
    EXPECT_EQ(DetectTextEncoding("\xC0\xAF"), TextEncoding::Cp1252);
    EXPECT_EQ(DetectTextEncoding("\xED\xA0\x80"), TextEncoding::Cp1252);

    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "a,b",
                         TextEncoding::Auto),
              "a,b");
    EXPECT_EQ(DecodeText("caf\xE9 \x80 \x81", TextEncoding::Auto), "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
    EXPECT_EQ(DecodeText(std::string("\xFE\xFF\0\xE9\xD8\x3D\xDE\x00", 8), TextEncoding::Auto),
              "\xC3\xA9\xF0\x9F\x98\x80");
    // A lone surrogate and an odd last byte are replaced, the rest kept.
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x00\xD8x\0y", 7), TextEncoding::Auto), "\xEF\xBF\xBDx\xEF\xBF\xBD");
    // A choice is kept even where detection would differ; UTF-16 without a mark is little-endian.
    EXPECT_EQ(DecodeText("caf\xC3\xA9", TextEncoding::Cp1252), "caf\xC3\x83\xC2\xA9");
    EXPECT_EQ(DecodeText(std::string("a\0", 2), TextEncoding::Utf16), "a");
    // A file marked or chosen as UTF-8 may still hold stray Windows-1252 bytes; they are read as
    // such, so the text is UTF-8 and nothing is dropped.
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "caf\xC3\xA9 na\xEFve",
                         TextEncoding::Auto),
              "caf\xC3\xA9 na\xC3\xAFve");
    EXPECT_EQ(DecodeText("\xC3", TextEncoding::Utf8), "\xC3\x83");
}

TEST(CsvSeparator, CountsOutsideQuotesWithTheFirstLineFirst)
{
    EXPECT_EQ(DetectCsvSeparator("Name;Street;City\nAnn;Main St 1, rear;Bonn\n"), CsvSeparator::Semicolon);
    EXPECT_EQ(DetectCsvSeparator("\"a;b;c\",d\n"), CsvSeparator::Comma);
    EXPECT_EQ(DetectCsvSeparator("a\tb\tc\n"), CsvSeparator::Tab);
    EXPECT_EQ(DetectCsvSeparator("single column\nrow\n"), CsvSeparator::Comma);
    // A tie on the first line goes to the separator the following lines use.
    EXPECT_EQ(DetectCsvSeparator("a;b,c\n1;2;3\n"), CsvSeparator::Semicolon);
    // A quoted line break does not end the first line.
    EXPECT_EQ(DetectCsvSeparator("a,\"x\ny;z;w\",b\n"), CsvSeparator::Comma);
}

TEST(CsvRows, QuotedFieldsSpanLinesAndAStrayQuoteStaysOnItsLine)
{
    const auto rows = ReadCsvRows("h1,h2\r\n\"one\r\ntwo\nthree\",\"say \"\"hi\"\"\"\r\n\r\nlast,\n", ',');
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].values, (Values{"one\ntwo\nthree", "say \"hi\""}));
    EXPECT_EQ(rows[1].line, 2u);
    EXPECT_TRUE(rows[2].Blank());
    EXPECT_EQ(rows[2].line, 5u);
    EXPECT_EQ(rows[3].values, (Values{"last", ""}));
    EXPECT_EQ(rows[3].line, 6u);

    const auto stray = ReadCsvRows("a,\"b\nc,d\n", ',');
    ASSERT_EQ(stray.size(), 2u);
    EXPECT_EQ(stray[0].values, (Values{"a", "\"b"}));
    EXPECT_EQ(stray[1].values, (Values{"c", "d"}));
    EXPECT_EQ(SplitCsvLine("\"x\"y;;z", ';'), (Values{"xy", "", "z"}));
    // NUL characters go, inside quotes and out, and a quoted value may end the text.
    EXPECT_EQ(SplitCsvLine(std::string("a\0b,\"c\0\"\"d\"", 11), ','), (Values{"ab", "c\"d"}));
    EXPECT_TRUE(ReadCsvRows("", ',').empty());
}

TEST(CsvHeaderMap, KnownColumnsMapOntoTheKindsFieldsAndSeveralMayFeedOneField)
{
    const auto own = MapCsvHeader({"title", "FIRST NAME", " Last Name ", "Shoe Size", "", "Extension"}, KindPerson);
    EXPECT_EQ(own.fields, (Values{"Title", "First Name", "Last Name", "", "", ""}));
    EXPECT_EQ(own.ignored, (Values{"Shoe Size", "column 5", "Extension"}));

    // Outlook's "Title" is the salutation; its business and home addresses both feed the address.
    const auto outlook = MapCsvHeader(
        {"Title", "First Name", "Last Name", "Company", "Business Street", "Home Street", "E-mail Address"},
        KindPerson);
    EXPECT_EQ(outlook.fields, (Values{"Salutation", "First Name", "Last Name", "Company", "Address Line 1",
                                      "Address Line 1", "E-Mail Address"}));
    EXPECT_TRUE(outlook.ignored.empty());
    // A person's company is its own field; an organization's company is its title.
    EXPECT_EQ(MapCsvHeader({"Company", "Job Title", "Suffix"}, KindPerson).fields,
              (Values{"Company", "Job Title", "Suffix"}));
    EXPECT_EQ(MapCsvHeader({"Company", "Job Title", "Suffix"}, KindOrganization).fields, (Values{"Title", "", ""}));

    // An organization takes its title from the company, not from a person's name.
    const auto org = MapCsvHeader({"Name", "Organization 1 - Name", "Phone 1 - Value", "Given Name"}, KindOrganization);
    EXPECT_EQ(org.fields, (Values{"", "Title", "Phone Number", ""}));
    const auto mail = MapCsvHeader({"Display Name", "Primary Email", "Secondary Email", "Work Phone"}, KindEMail);
    EXPECT_EQ(mail.fields, (Values{"Title", "E-Mail Address", "E-Mail Address", ""}));
    EXPECT_TRUE(MapCsvHeader({"Title"}, KindFolder).fields == Values{""});
}

TEST(CsvImport, WithoutTheHeaderChoiceTheFirstLineIsARow)
{
    const std::string text = "First Name,Last Name\nAnn,Lee\n";
    ItemTree plain;
    const auto counts = ImportText(plain, text, {KindPerson, {"First Name", "Last Name"}});
    EXPECT_EQ(counts.made, 2);
    ASSERT_EQ(plain.Root().ChildCount(), 2);
    // Without a "Title" column each person is titled from its names.
    EXPECT_EQ(Titles(plain), (Values{"Ann Lee", "First Name Last Name"}));

    ItemTree headed;
    EXPECT_EQ(ImportText(headed, text, WithHeader(KindPerson)).made, 1);
    EXPECT_EQ(Titles(headed), Values{"Ann Lee"});
}

// Rows are made as they are read: the columns the header's mapping ignored come with the counts
// (none when the fields were chosen), progress goes by the bytes read, and stopping keeps the
// rows made so far.
TEST(CsvImport, HeaderRowsStreamWithTheIgnoredColumnsAndByteProgress)
{
    const std::string text = "First Name,Shoe Size,Last Name\nAnn,40,Lee\n\nBo,41,Ray\n";
    ItemTree tree;
    std::uint64_t lastDone = 0, lastTotal = 0;
    std::istringstream in(text);
    const auto counts = ImportCSV(in, tree.Root(), WithHeader(KindPerson), [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_LE(done, total);
        lastDone = done;
        lastTotal = total;
        return true;
    });
    EXPECT_EQ(counts.made, 2);
    EXPECT_EQ(counts.ignoredColumns, Values{"Shoe Size"});
    EXPECT_EQ(lastTotal, text.size());
    EXPECT_GT(lastDone, text.find('\n'));
    EXPECT_EQ(Titles(tree), (Values{"Ann Lee", "Bo Ray"}));

    ItemTree chosen;
    EXPECT_TRUE(ImportText(chosen, text, WithHeader(KindPerson, {"First Name", "", "Last Name"})).ignoredColumns.empty());

    ItemTree stopped;
    std::istringstream again(text);
    const auto none = ImportCSV(again, stopped.Root(), WithHeader(KindPerson), [](std::uint64_t, std::uint64_t) {
        return false;
    });
    EXPECT_EQ(none.made, 0);
    EXPECT_EQ(stopped.Root().ChildCount(), 0);
}

TEST(CsvImport, TheWizardsOwnMappingIgnoresColumnsWithoutAField)
{
    ItemTree tree;
    const auto counts = ImportText(tree, "Who,Junk,Mail\nAnn,x,ann@example.org ::: ann@work.example\n",
                                   WithHeader(KindEMail, {"Title", "", "E-Mail Address"}));
    ASSERT_EQ(counts.made, 1);
    const TKPXObject& mail = *tree.Root().Data()->ChildAt(0);
    EXPECT_EQ(mail.GetTitle(), "Ann");
    EXPECT_EQ(mail.GetTarget(), "ann@example.org");
}

TEST(CsvImport, AFieldOfSeveralColumnsTakesTheFirstValueAndOneWholeAddress)
{
    ItemTree tree;
    const auto counts = ImportText(
        tree,
        "Title,First Name,Last Name,Business Street,Business City,Business Postal Code,Home Street,Home Street 2,"
        "Home City,Home Postal Code,Business Phone,Home Phone\n"
        "Mr.,Tom,Home,,,,Elm St 4,Flat 2,Leeds,LS1,,0113 555\n"
        "Ms.,Una,Both,Main St 1,York,,Elm St 4,Flat 2,Leeds,LS1,01904 555,0113 555\n",
        WithHeader(KindPerson));
    ASSERT_EQ(counts.made, 2);
    struct Expected
    {
        std::string title;
        Values lines;
        std::string city, postCode, phone;
    };
    // Una's business address has no postal code and no second line; her home ones are not mixed in.
    const Expected expected[] = {{"Tom Home", {"Elm St 4", "Flat 2", ""}, "Leeds", "LS1", "0113 555"},
                                 {"Una Both", {"Main St 1", "", ""}, "York", "", "01904 555"}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.title);
        const auto* person = PersonTitled(tree, e.title);
        ASSERT_TRUE(person);
        const auto* address = dynamic_cast<const TAddressObject*>(person->PrimaryChild(TPartyObject::SlotAddress));
        ASSERT_TRUE(address);
        EXPECT_EQ(address->Lines(), e.lines);
        EXPECT_EQ(address->City(), e.city);
        EXPECT_EQ(address->PostCode(), e.postCode);
        ASSERT_TRUE(person->PrimaryChild(TPartyObject::SlotPhone));
        EXPECT_EQ(person->PrimaryChild(TPartyObject::SlotPhone)->GetTarget(), e.phone);
    }

    ItemTree mail;
    EXPECT_EQ(ImportText(mail, "Display Name\tPrimary Email\tSecondary Email\nBob\t\tbob@example.org\n",
                         WithHeader(KindEMail))
                  .made,
              1);
    EXPECT_EQ(mail.Root().Data()->ChildAt(0)->GetTarget(), "bob@example.org");

    // The same without the header choice, where the chosen fields name one field twice.
    ItemTree phones;
    EXPECT_EQ(
        ImportText(phones, "Desk,,555 2\nHall,555 1,555 2\n", {KindPhone, {"Title", "phone number", "Phone Number"}})
            .made,
        2);
    EXPECT_EQ(phones.Root().Data()->FindChild("Desk", KindPhone)->GetTarget(), "555 2");
    EXPECT_EQ(phones.Root().Data()->FindChild("Hall", KindPhone)->GetTarget(), "555 1");
}

TEST(CsvImport, SemicolonsSplitRowsWithOrWithoutTheHeaderChoice)
{
    ItemTree tree;
    CsvImportSettings settings{KindPhone, {"Title", "Phone Number", "Comment"}};
    settings.separator = CsvSeparator::Auto;
    EXPECT_EQ(ImportText(tree, "Desk;555 1;front, left\n", settings).made, 1);
    EXPECT_EQ(tree.Root().Data()->ChildAt(0)->GetComment(), "front, left");
    // The separator chosen is kept even where the text suggests another.
    settings.separator = CsvSeparator::Comma;
    EXPECT_EQ(ImportText(tree, "Desk;555 2;x\n", settings).rejected, 1);
}

TEST(CsvImport, RejectedRowsSayWhyWithTheirFileLine)
{
    struct Case
    {
        int kind;
        Values fields;
        std::string row;
        std::string reason;
    };
    const Case cases[] = {
        {KindPerson, {"Title", "First Name"}, "Boss,", "no first or last name"},
        {KindOrganization, {"Comment"}, "x", "no column for \"Title\""},
        {KindOrganization, {"Title", "Comment"}, ",x", "\"Title\" is empty"},
        {KindPhone, {"Title", "Phone Number"}, "Desk", "no value for \"Phone Number\""},
        {KindFax, {"Fax Number", "Title"}, "555,", "\"Title\" is empty"},
        {KindAddress, {"Title", "City"}, "Home,Bonn", "no column for \"Address Line 1\""},
        {KindAddress, {"Title", "Address Line 1"}, "Home,", "\"Address Line 1\" is empty"},
        {KindEMail, {"E-Mail Address"}, "@example.org", "\"E-Mail Address\" has nothing before \"@\""},
        {KindWebsite, {"Website", "Title"}, "example.org,", "\"Title\" is empty"},
        {KindFolder, {"Title"}, "x", "a folder cannot be read from a row"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ItemTree tree;
        const auto counts = ImportText(tree, "\n" + c.row + "\n", {c.kind, c.fields});
        EXPECT_EQ(counts.reasons, Values{"row 2: " + c.reason});
        EXPECT_EQ(tree.Root().ChildCount() + tree.Root().Data()->ChildCount(), 0);
    }
    // With the header choice the row's number is the line it starts on.
    ItemTree tree;
    const auto counts = ImportText(tree, "First Name,Notes\n\"Ann\",\"a\nb\"\n,x\n", WithHeader(KindPerson));
    EXPECT_EQ(counts.made, 1);
    EXPECT_EQ(counts.reasons, Values{"row 4: no first or last name"});
    EXPECT_EQ(counts.madeByKind, (std::map<int, int>{{KindPerson, 1}}));
}

TEST(CsvImport, PreviewTellsWhatWasDetectedAndTheMapping)
{
    std::istringstream utf16(std::string("\xFF\xFE"
                                         "G\0i\0v\0e\0n\0 \0N\0a\0m\0e\0;\0X\0\n\0",
                                         28));
    const CsvPreview preview = PreviewCSV(utf16, WithHeader(KindPerson));
    EXPECT_EQ(preview.encoding, TextEncoding::Utf16);
    EXPECT_EQ(preview.separator, CsvSeparator::Semicolon);
    EXPECT_EQ(preview.header, (Values{"Given Name", "X"}));
    EXPECT_EQ(preview.mapping.fields, (Values{"First Name", ""}));
    EXPECT_EQ(preview.mapping.ignored, Values{"X"});

    CsvImportSettings chosen = WithHeader(KindPerson);
    chosen.tabSeparated = true;
    chosen.encoding = TextEncoding::Cp1252;
    std::istringstream text("a;b\tc\n");
    const CsvPreview kept = PreviewCSV(text, chosen);
    EXPECT_EQ(kept.separator, CsvSeparator::Tab);
    EXPECT_EQ(kept.encoding, TextEncoding::Cp1252);
    EXPECT_EQ(kept.header, (Values{"a;b", "c"}));
    EXPECT_FALSE(PreviewCSVFile("/nonexistent/file.csv", chosen));
}
