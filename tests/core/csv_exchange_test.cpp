// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"
#include "support/test_files.h"

#include "common/comma_text.h"
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/line_protection.h"
#include "exchange/record_types.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
using Values = std::vector<std::string>;

// A golden case's settings: the record type's text, the fields as comma text, then "tab",
// "header" (the first line names the columns; separator and encoding detected) or nothing.
CsvImportSettings ReadSettings(const fs::path& path)
{
    std::istringstream in(ReadWhole(path));
    std::string type, fields, choice;
    std::getline(in, type);
    std::getline(in, fields);
    std::getline(in, choice);
    for (const RecordType& candidate : RecordTypes()) {
        if (candidate.text != type)
            continue;
        CsvImportSettings settings{candidate.kind, SplitCommaText(fields), choice == "tab", choice == "header"};
        if (settings.headerLine)
            settings.separator = CsvSeparator::Auto;
        return settings;
    }
    ADD_FAILURE() << "unknown record type " << type;
    return {};
}

// A case may also hold the report it ends with.
void ExpectSummary(const fs::path& input, const ImportCounts& counts)
{
    auto summary = input;
    summary.replace_extension(".summary");
    if (fs::exists(summary)) {
        EXPECT_EQ(ImportSummary(counts) + "\n", ReadWhole(summary));
    }
}

std::string Exported(TreeNode& start, const CsvExportFields& columns)
{
    std::ostringstream out;
    WriteCsvRows(start, columns, out);
    return out.str();
}

TPersonObject& AddPerson(TreeNode& parent, std::string_view first, std::string_view last)
{
    auto& person = static_cast<TPersonObject&>(
        *CreateItem(KindPerson, std::string(first) + " " + std::string(last), "", "", parent, "", 0));
    person.SetNames("", first, "", last);
    return person;
}

TKPXObject& AddDetail(TKPXObject& owner, int kind, std::string_view title, std::string_view target)
{
    return *CreateItem(kind, title, target, "", *owner.GetTreeNode(), "", 0);
}
} // namespace

TEST(LineProtection, QuotesEveryFieldSoBlanksAndEmptyFieldsSurvive)
{
    EXPECT_EQ(ProtectLine("a,,b c"), R"("a","","b c")");
    EXPECT_EQ(SplitProtectedLine("a,,b c"), (Values{"a", "", "b c"}));
    EXPECT_EQ(SplitProtectedLine(",a,"), (Values{"", "a", ""}));
    EXPECT_EQ(SplitProtectedLine("  padded  ,x"), (Values{"  padded  ", "x"}));
    // Fields the row quotes itself keep their commas and doubled quotes.
    EXPECT_EQ(SplitProtectedLine(R"("Smith, Jones",x)"), (Values{"Smith, Jones", "x"}));
    EXPECT_EQ(SplitProtectedLine(R"("say ""hi""","",z)"), (Values{R"(say "hi")", "", "z"}));
    EXPECT_EQ(SplitProtectedLine(""), Values{});
    // Long rows are split whole.
    const std::string longValue(10000, 'x');
    EXPECT_EQ(SplitProtectedLine(longValue + ",end"), (Values{longValue, "end"}));
}

TEST(CsvImport, GoldenFiles)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLARY_TEST_DATA) / "csv")) {
        const fs::path input = entry.path();
        if (input.extension() != ".csv")
            continue;
        SCOPED_TRACE(input.filename().string());
        TestWorld world;
        ItemTree tree(world.Services());
        UseSequentialIds(tree);
        auto settingsFile = input, expected = input;
        const auto counts = ImportCSVFile(input, tree.Root(), ReadSettings(settingsFile.replace_extension(".fields")));
        ASSERT_TRUE(counts);
        const std::string result = "made " + std::to_string(counts->made) + ", rejected " +
                                   std::to_string(counts->rejected) + "\r\n" + SavedTree(tree);
        expected.replace_extension(".expected");
        if (!fs::exists(expected)) {
            WriteWhole(expected, result);
            ADD_FAILURE() << "written " << expected;
        }
        EXPECT_EQ(result, ReadWhole(expected));
        ExpectSummary(input, *counts);
        ++checked;
    }
    EXPECT_GE(checked, 11);
}

TEST(CsvImport, RejectedRowsLeaveNothingAndAMissingFileImportsNothing)
{
    TestWorld world;
    ItemTree tree(world.Services());
    std::istringstream rows("Title Only,,\r\nReal,John,Doe\r\n");
    const auto counts = ImportCSV(rows, tree.Root(), {KindPerson, {"Title", "First Name", "Last Name"}});
    EXPECT_EQ(counts.made, 1);
    EXPECT_EQ(counts.rejected, 1);
    ASSERT_EQ(tree.Root().ChildCount(), 1);
    EXPECT_EQ(tree.Root().ChildAt(0)->Text(), "Real");
    EXPECT_FALSE(ImportCSVFile("/nonexistent/file.csv", tree.Root(), {KindPerson, {"Title"}}));
    EXPECT_EQ(tree.Root().ChildCount(), 1);
}

TEST(CsvImport, ImportedNodesEndSortedAndProgressCanStop)
{
    TestWorld world;
    ItemTree tree(world.Services());
    std::istringstream titled("b.example,Bravo\na.example,Alpha\nc.example,Charlie\n");
    std::uint64_t seenTotal = 0;
    ImportCSV(titled, tree.Root(), {KindWebsite, {"Website", "Title"}},
              [&](std::uint64_t, std::uint64_t total) { return seenTotal = total, true; });
    EXPECT_EQ(seenTotal, 3u);
    ASSERT_EQ(tree.Root().ChildCount(), 3);
    EXPECT_EQ(tree.Root().ChildAt(0)->Text(), "Alpha");
    EXPECT_EQ(tree.Root().ChildAt(2)->Text(), "Charlie");

    std::istringstream many("x,1\ny,2\n");
    const auto stopped = ImportCSV(many, tree.Root(), {KindWebsite, {"Website", "Title"}},
                                   [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_EQ(stopped.made, 0);
}

TEST(CsvExport, HeaderQuotesNamesWithBlanksAndRowsHoldEveryChosenField)
{
    EXPECT_EQ(CsvHeaderLine({"Title", "First Name", "Last Name", "Comment"}),
              R"(Title,"First Name","Last Name",Comment)");
    EXPECT_EQ(CsvHeaderLine({R"(a"b)", "c,d"}), R"("a""b","c,d")");

    TestWorld world;
    ItemTree tree(world.Services());
    TPersonObject& john = AddPerson(tree.Root(), "John", "Doe");
    AddDetail(john, KindPhone, "Primary Phone", "555 1234");
    john.SetPrimary(TPartyObject::SlotPhone, "Primary Phone");
    AddPerson(tree.Root(), "Jane", "Roe");
    EXPECT_EQ(Exported(tree.Root(), {{"Title", "Phone Number"}, KindPerson, true}), "Title,\"Phone Number\"\r\n"
                                                                                    "\"John Doe\",\"555 1234\"\r\n"
                                                                                    "\"Jane Roe\",\r\n");
}

TEST(CsvExport, DetailRowsComeFromEveryItemOfTheSubtreeAndTheFilterHidesItems)
{
    TestWorld world;
    ItemTree tree(world.Services());
    TKPXObject& folder = *CreateItem(KindFolder, "Friends", "", "", tree.Root(), "", 0);
    TPersonObject& a = AddPerson(*folder.GetTreeNode(), "Ann", "A");
    TPersonObject& b = AddPerson(*folder.GetTreeNode(), "Bob", "B");
    AddDetail(a, KindPhone, "Home", "1");
    AddDetail(a, KindPhone, "Work", "2");
    AddDetail(b, KindPhone, "Cell", "3");
    AddDetail(b, KindEMail, "Mail", "b@example.org");
    const CsvExportFields phones{{"Title", "Phone Number"}, KindPhone, false};
    EXPECT_EQ(Exported(*folder.GetTreeNode(), phones), "\"Home\",\"1\"\r\n\"Work\",\"2\"\r\n\"Cell\",\"3\"\r\n");

    b.SetCategories(4);
    tree.Filter() = {CategoryFilter::Mode::Any, 2};
    EXPECT_EQ(Exported(*folder.GetTreeNode(), phones), "");
}

TEST(CsvExchange, ExportedRowsImportBackWithTitlesAndPrimaryDetails)
{
    TestWorld world;
    ItemTree tree(world.Services());
    TPersonObject& john = AddPerson(tree.Root(), "John", "Doe");
    john.SetTitle(R"(John "JD" Doe, Esq.)");
    john.SetComment("likes tea, not coffee");
    auto& address = static_cast<TAddressObject&>(AddDetail(john, KindAddress, "Primary Address", "1 Main St"));
    address.SetLines({"1 Main St", "Flat 2", ""});
    address.SetCity("Springfield");
    john.SetPrimary(TPartyObject::SlotAddress, "Primary Address");
    AddDetail(john, KindEMail, "Primary EMail", "john@example.org");
    john.SetPrimary(TPartyObject::SlotEMail, "Primary EMail");

    const RecordType& person = *RecordTypeOfKind(KindPerson);
    const std::vector<std::string> fields(person.fields.begin(), person.fields.end());
    std::istringstream rows(Exported(tree.Root(), {fields, KindPerson, false}));

    ItemTree copy(world.Services());
    const auto counts = ImportCSV(rows, copy.Root(), {KindPerson, fields});
    ASSERT_EQ(counts.made, 1);
    auto& back = static_cast<TPersonObject&>(*copy.Root().ChildAt(0)->Data());
    EXPECT_EQ(back.GetTitle(), john.GetTitle());
    EXPECT_EQ(back.FirstName(), "John");
    EXPECT_EQ(back.LastName(), "Doe");
    EXPECT_EQ(back.GetComment(), john.GetComment());
    auto* backAddress = dynamic_cast<TAddressObject*>(back.PrimaryChild(TPartyObject::SlotAddress));
    ASSERT_NE(backAddress, nullptr);
    EXPECT_EQ(backAddress->Lines()[1], "Flat 2");
    EXPECT_EQ(backAddress->City(), "Springfield");
    ASSERT_NE(back.PrimaryChild(TPartyObject::SlotEMail), nullptr);
    EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotEMail)->GetTarget(), "john@example.org");
    EXPECT_EQ(back.PrimaryChild(TPartyObject::SlotPhone), nullptr);
}
