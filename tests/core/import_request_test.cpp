// SPDX-License-Identifier: GPL-3.0-or-later
// The one import request both front ends fill in: every format into the destination it is given,
// a missing source refused with its message, a cancelled import taken back.
#include "support/fake_services.h"
#include "support/test_files.h"

#include "exchange/record_types.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "shell/import_request.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

const std::string Existing = "{Params}\r\n"
                             "{0 11 }My Contacts~~~~~~32892645\r\n"
                             "{1 0 }Clients~~~~~~22\r\n{Fold}0\r\n"
                             "{2 3 }Sonja Berg~~~~~~23\r\n{Pers}~~Sonja~~~~Berg~~~~~~~~~~~~0\r\n"
                             "{1 0 }Friends~~~~~~25\r\n{Fold}0\r\n";

TreeNode* Child(TreeNode& parent, const std::string& text)
{
    for (int i = 0; i < parent.ChildCount(); ++i)
        if (parent.ChildAt(i)->Text() == text)
            return parent.ChildAt(i);
    return nullptr;
}

std::vector<std::string> ChildTexts(const TreeNode& node)
{
    std::vector<std::string> texts;
    for (int i = 0; i < node.ChildCount(); ++i)
        texts.push_back(node.ChildAt(i)->Text());
    return texts;
}

// One format: the source it reads (written under that name in a scratch folder), what it makes
// under the destination, and how a missing source of that name fails ("" for nothing imported).
struct FormatCase
{
    const char* name;
    ImportFormat format;
    bool pageInFolder;
    std::string source;
    std::function<void(const fs::path&)> write;
    std::string made;
    int kind;
    std::function<std::string(const std::string& path)> missing;
};

void Write(const fs::path& file, const std::string& text)
{
    WriteWhole(file, text);
}

void WriteIn(const fs::path& folder, const std::string& name, const std::string& text)
{
    fs::create_directories(folder);
    WriteWhole(folder / name, text);
}

const std::string BookmarkPage =
    "<TITLE>Ann's Bookmarks</TITLE>\r\n<DT><A HREF=\"https://example.org/\">Example</A>\r\n";
const std::string AddressPage = "<TITLE>Ann's Address Book</TITLE>\r\n<A HREF=\"mailto:ann@example.org\">Ann</A>\r\n";
const std::string Nicknames = "alias bob bob@example.org\r\n";

std::string Unopened(const std::string& path)
{
    return "The file could not be opened: " + path;
}
std::string Unread(const std::string& path)
{
    return "cannot read " + path;
}
std::string NothingMissing(const std::string&)
{
    return {};
}

const std::vector<FormatCase>& Cases()
{
    static const std::vector<FormatCase> cases = {
        {"interchange file", ImportFormat::ItemFile, false, "anna.zkd",
         [](const fs::path& p) { Write(p, "{1 0 }Imported~~~~~~31\r\n{Fold}0\r\n"); }, "Imported", KindFolder,
         Unopened},
        {"favorites", ImportFormat::Favorites, false, "Favorites",
         [](const fs::path& p) { WriteIn(p, "Example.url", "[InternetShortcut]\r\nURL=https://example.org/\r\n"); },
         "Favorites", KindWebsite, [](const std::string& path) { return path + " is no folder"; }},
        {"bookmark page", ImportFormat::Bookmarks, false, "bookmark.htm",
         [](const fs::path& p) { Write(p, BookmarkPage); }, "Ann's Bookmarks", KindWebsite, Unread},
        {"bookmark page in its folder", ImportFormat::Bookmarks, true, "navigator",
         [](const fs::path& p) { WriteIn(p, "BOOKMARK.HTM", BookmarkPage); }, "Ann's Bookmarks", KindWebsite,
         NothingMissing},
        {"address book", ImportFormat::AddressBook, false, "address.htm",
         [](const fs::path& p) { Write(p, AddressPage); }, "Ann's Address Book", KindEMail, Unread},
        {"address book in its folder", ImportFormat::AddressBook, true, "navigator",
         [](const fs::path& p) { WriteIn(p, "address.htm", AddressPage); }, "Ann's Address Book", KindEMail,
         NothingMissing},
        {"nickname file", ImportFormat::Nicknames, false, "nndbase.txt", [](const fs::path& p) { Write(p, Nicknames); },
         "Eudora Addresses", KindEMail, Unread},
        {"nickname file in its folder", ImportFormat::Nicknames, true, "eudora",
         [](const fs::path& p) { WriteIn(p, "nndbase.txt", Nicknames); }, "Eudora Addresses", KindEMail,
         NothingMissing},
        {"delimited text", ImportFormat::DelimitedText, false, "people.csv",
         [](const fs::path& p) { Write(p, "Ann,Lee\r\n"); }, "Ann Lee", KindPerson, Unopened},
        {"vCard file", ImportFormat::VCard, false, "cards.vcf",
         [](const fs::path& p) { Write(p, "BEGIN:VCARD\r\nN:Berg;Sonja\r\nORG:Acme Ltd\r\nEND:VCARD\r\n"); },
         "Acme Ltd", KindOrganization, [](const std::string& path) { return "Cannot open file: " + path; }},
    };
    return cases;
}

// A tree holding Existing, and a scratch folder for the sources.
class ImportRequestTest : public ::testing::Test
{
protected:
    void SetUp() override { Reload(); }

    void Reload()
    {
        tree = std::make_unique<ItemTree>(world.Services());
        std::istringstream in(Existing);
        LoadDataStream(in, tree->Root());
        before = SavedTree(*tree);
    }

    TreeNode& Clients() { return *Child(tree->Root(), "Clients"); }

    ImportRequest RequestFor(const FormatCase& format, const fs::path& source)
    {
        ImportRequest request;
        request.format = format.format;
        request.source = source;
        request.pageInFolder = format.pageInFolder;
        request.destination = &Clients();
        request.csv = {KindPerson, {"First Name", "Last Name"}, false};
        request.orgCards = &organizations;
        return request;
    }

    TestWorld world;
    std::unique_ptr<ItemTree> tree;
    std::string before;
    TempDir scratch;
    FixedOrgCardAnswer organizations{true};
};

} // namespace

TEST_F(ImportRequestTest, EachFormatImportsIntoTheDestinationAndTheTreeIsSorted)
{
    for (const FormatCase& format : Cases()) {
        SCOPED_TRACE(format.name);
        Reload();
        const fs::path source = scratch / format.source;
        format.write(source);
        const ImportResult result = RunImport(RequestFor(format, source));
        EXPECT_EQ(result.failure, "");
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(result.counts.made, 1);
        // Nothing arrives elsewhere, and the destination's children are in order again (folders
        // first, then by title).
        EXPECT_EQ(ChildTexts(tree->Root()), (std::vector<std::string>{"Clients", "Friends"}));
        EXPECT_EQ(ChildTexts(Clients()), (std::vector<std::string>{format.made, "Sonja Berg"}));
        // The item itself, or the one item in the folder a favorites, browser or nickname source
        // makes (a website node, or an e-mail address among the folder's details).
        const TreeNode& made = *Child(Clients(), format.made);
        const TKPXObject* item = made.Data()->GetKind() == format.kind ? made.Data() : nullptr;
        if (!item && made.ChildCount() == 1)
            item = made.ChildAt(0)->Data();
        if (!item && made.Data()->ChildCount() == 1)
            item = made.Data()->ChildAt(0);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetKind(), format.kind);
        fs::remove_all(source);
    }
}

TEST_F(ImportRequestTest, AMissingSourceFailsWithItsMessageAndChangesNothing)
{
    for (const FormatCase& format : Cases()) {
        SCOPED_TRACE(format.name);
        const fs::path source = scratch / ("absent-" + format.source);
        const ImportResult result = RunImport(RequestFor(format, source));
        EXPECT_EQ(result.failure, format.missing(source.string()));
        EXPECT_EQ(result.Failed(), !result.failure.empty());
        EXPECT_EQ(result.counts.made, 0);
        EXPECT_EQ(SavedTree(*tree), before);
    }
}

TEST_F(ImportRequestTest, SourcesOfTheWrongShapeAreRefused)
{
    WriteWhole(scratch / "anna.txt", "{1 0 }Imported~~~~~~31\r\n{Fold}0\r\n");
    WriteWhole(scratch / "Example.url", "[InternetShortcut]\r\nURL=https://example.org/\r\n");
    const std::vector<std::tuple<ImportFormat, fs::path, std::string>> cases = {
        {ImportFormat::ItemFile, scratch / "anna.txt", " is no interchange file (.zkd)"},
        {ImportFormat::Favorites, scratch / "Example.url", " is no folder"},
        {ImportFormat::Bookmarks, *scratch, ""},
        {ImportFormat::Nicknames, *scratch, ""},
    };
    for (const auto& [format, source, reason] : cases) {
        SCOPED_TRACE(source.string());
        ImportRequest request = RequestFor(Cases().front(), source);
        request.format = format;
        const ImportResult result = RunImport(request);
        // A folder given for the page itself cannot be read.
        EXPECT_EQ(result.failure, reason.empty() ? "cannot read " + source.string() : source.string() + reason);
        EXPECT_EQ(SavedTree(*tree), before);
    }
}

TEST_F(ImportRequestTest, ACancelledImportIsTakenBack)
{
    std::string rows;
    for (int i = 0; i < 300; ++i)
        rows += "Ann" + std::to_string(i) + ",Lee\r\n";
    WriteWhole(scratch / "people.csv", rows);
    WriteWhole(scratch / "cards.vcf",
               "BEGIN:VCARD\r\nN:Doe;John\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:Lee;Ann\r\nEND:VCARD\r\n");
    for (const auto& [format, file] :
         {std::pair{ImportFormat::DelimitedText, "people.csv"}, std::pair{ImportFormat::VCard, "cards.vcf"}}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(ReportsProgress(format));
        ImportRequest request = RequestFor(Cases().front(), scratch / file);
        request.format = format;
        // Stops at the first report after something was made.
        int made = 0;
        request.progress = [&](std::uint64_t done, std::uint64_t) {
            made = Clients().ChildCount() - 1;
            return done == 0;
        };
        const ImportResult result = RunImport(request);
        EXPECT_GT(made, 0);
        EXPECT_TRUE(result.cancelled);
        EXPECT_FALSE(result.Failed());
        EXPECT_EQ(result.counts.made, 0);
        EXPECT_EQ(SavedTree(*tree), before);
    }
    EXPECT_FALSE(ReportsProgress(ImportFormat::Favorites));
}

TEST(ImportRequest, TextSettingsFollowOneSetOfRules)
{
    // Without field names "Auto" reads commas and no fields named reads every field of the kind.
    CsvImportSettings lines = TextImportSettings({KindPhone, {}, false, false, CsvSeparator::Auto});
    EXPECT_EQ(lines.separator, CsvSeparator::Comma);
    EXPECT_FALSE(lines.tabSeparated);
    const RecordType& phones = *RecordTypeOfKind(KindPhone);
    EXPECT_EQ(lines.fields, std::vector<std::string>(phones.fields.begin(), phones.fields.end()));
    // With them the separator is detected and the columns are mapped from the first line.
    CsvImportSettings header = TextImportSettings({KindPhone, {}, false, true, CsvSeparator::Auto});
    EXPECT_EQ(header.separator, CsvSeparator::Auto);
    EXPECT_TRUE(header.fields.empty());
    // Tabs chosen are read as tabs; chosen fields stay.
    CsvImportSettings tabs = TextImportSettings({KindPhone, {"Title"}, false, false, CsvSeparator::Tab});
    EXPECT_TRUE(tabs.tabSeparated);
    EXPECT_EQ(tabs.fields, std::vector<std::string>{"Title"});
    EXPECT_FALSE(ReadsFolder(ImportFormat::Bookmarks));
    EXPECT_TRUE(ReadsFolder(ImportFormat::Bookmarks, true));
    EXPECT_TRUE(ReadsFolder(ImportFormat::Favorites));
    EXPECT_FALSE(ReadsFolder(ImportFormat::VCard, true));
}
