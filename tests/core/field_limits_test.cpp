// SPDX-License-Identifier: GPL-3.0-or-later
// Rows and values of more fields than any real file has are refused, row by row, with a reason.
#include "common/comma_text.h"
#include "common/field_limits.h"
#include "common/text_excerpt.h"
#include "exchange/csv_import.h"
#include "exchange/nickname_file.h"
#include "exchange/vcard_escapes.h"
#include "exchange/vcard_import.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

namespace {
// A person row whose name columns are followed by empty fields up to fields in all.
std::string PersonRow(std::size_t fields, char separator = ',')
{
    return "Ann" + std::string(1, separator) + "Lee" + std::string(fields - 2, separator) + "\n";
}

ImportCounts Import(const std::string& text, CsvImportSettings settings, ItemTree& tree)
{
    std::istringstream in(text);
    return ImportCSV(in, tree.Root(), settings);
}

class PersonCards final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

const std::string TooMany = "more than 1024 fields (the most a row may have)";
} // namespace

TEST(FieldLimits, DelimitedRowsOfTooManyFieldsAreRefusedOneByOne)
{
    const CsvImportSettings comma{KindPerson, {"First Name", "Last Name"}};
    CsvImportSettings tab = comma;
    tab.tabSeparated = true;
    CsvImportSettings semicolon = comma;
    semicolon.separator = CsvSeparator::Semicolon;
    for (const auto& [settings, separator] : {std::pair{comma, ','}, std::pair{tab, '\t'}, std::pair{semicolon, ';'}}) {
        SCOPED_TRACE(separator);
        ItemTree tree;
        const ImportCounts counts = Import(
            PersonRow(1024, separator) + PersonRow(1025, separator) + PersonRow(100000, separator), settings, tree);
        EXPECT_EQ(counts.made, 1);
        EXPECT_EQ(counts.reasons, (std::vector<std::string>{"row 2: " + TooMany, "row 3: " + TooMany}));
    }

    // Quoted fields count as well.
    ItemTree tree;
    std::string quotedFields = "\"Ann\",\"Lee\"";
    for (int i = 0; i < 2000; ++i)
        quotedFields += ",\"\"";
    EXPECT_EQ(Import(quotedFields + "\n", comma, tree).reasons, std::vector<std::string>{"row 1: " + TooMany});
}

TEST(FieldLimits, AFirstLineOfTooManyColumnsLeavesNoRowToRead)
{
    CsvImportSettings header{KindPerson, {}};
    header.headerLine = true;
    ItemTree tree;
    const std::string names = "First Name,Last Name" + std::string(5000, ',') + "\n";
    const ImportCounts counts = Import(names + "Ann,Lee\n", header, tree);
    EXPECT_EQ(counts.made, 0);
    EXPECT_EQ(counts.reasons, std::vector<std::string>{"row 1: the first line names " + TooMany + "; no row was read"});

    const ImportCounts rows = Import("First Name,Last Name\n" + PersonRow(3000) + "Bo,Ek\n", header, tree);
    EXPECT_EQ(rows.made, 1);
    EXPECT_EQ(rows.reasons, std::vector<std::string>{"row 2: " + TooMany});

    std::istringstream file(names);
    const CsvPreview preview = PreviewCSV(file, header);
    EXPECT_TRUE(HeaderTooLong(preview));
    EXPECT_EQ(preview.header.size(), MaxFieldsPerRow + 1);
}

TEST(FieldLimits, VCardValuesOfTooManyPartsRefuseTheirCard)
{
    const std::string manyParts(5000, ';');
    std::istringstream cards("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roe;Bob\r\nADR:" + manyParts + "\r\nEND:VCARD\r\n" +
                             "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Poe;Cy\r\nADR:" + manyParts + "\r\nEND:VCARD\r\n" +
                             "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Ek;Bo\r\nTEL" + manyParts + ":555\r\nEND:VCARD\r\n" +
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nADR:;;1 Main St;York;;;UK\r\nEND:VCARD\r\n");
    ItemTree tree;
    PersonCards question;
    const ImportCounts counts = ImportVCardFile(cards, tree.Root(), question);
    EXPECT_EQ(counts.made, 1);
    EXPECT_EQ(counts.reasons, (std::vector<std::string>{"card 1: \"ADR\" has more than 1024 parts (the most a value "
                                                        "may have)",
                                                        "card 2: \"ADR\" has more than 1024 parts (the most a value "
                                                        "may have)",
                                                        "card 3: \"TEL\" has more than 1024 parts (the most a value "
                                                        "may have)"}));
    EXPECT_EQ(tree.Root().FirstChild()->Text(), "Ann Lee");
}

TEST(FieldLimits, NicknameLinesOfTooManyWordsAreRefused)
{
    ItemTree tree;
    std::istringstream file("alias crowd" + std::string(50000, ',') + "a@x.org\nalias bob bob@x.org\n");
    const ImportCounts counts = ImportEudora(file, tree.Root());
    EXPECT_EQ(counts.made, 1);
    EXPECT_EQ(counts.reasons, std::vector<std::string>{"line 1: " + TooMany});
}

TEST(FieldLimits, SplittingStopsOnePastTheLimit)
{
    EXPECT_EQ(SplitCommaText("a,b,c,d", 2), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitCommaText("a,b", 2), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitUnescaped("a;b;c;d", ';', 2), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitUnescaped("a;b\\;c", ';', 2), (std::vector<std::string>{"a", "b\\;c"}));
    EXPECT_EQ(SplitUnescaped("a;b;c", ';', 2), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FieldLimits, EchoedListsAndNamesAreBounded)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 25; ++i)
        names.push_back("column " + std::to_string(i));
    EXPECT_EQ(ListExcerpt(names), "column 1, column 2, column 3, column 4, column 5, column 6, column 7, column 8, "
                                  "column 9, column 10, column 11, column 12, column 13, column 14, column 15, "
                                  "column 16, column 17, column 18, column 19, column 20 ... and 5 more");
    EXPECT_EQ(ListExcerpt({std::string(100000, 'x'), "Notes"}), std::string(40, 'x') + "..., Notes");
    EXPECT_EQ(ListExcerpt({}), "");
}
