// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"
#include "support/test_files.h"

#include "exchange/csv_import.h"
#include "exchange/favorites_import.h"
#include "exchange/import_undo.h"
#include "exchange/vcard_import.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/record_reader.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

// A sorted tree: a root with a detail of its own, a folder "News" inside "Clients", and a person
// with a phone.
const std::string Existing = "{Params}\r\n"
                             "{0 11 }My Contacts~~~~~~32892645\r\n"
                             "{1 6 }Desk~~100~~~~21\r\n{Phon}~~0\r\n"
                             "{1 0 }Clients~~~~~~22\r\n{Fold}0\r\n"
                             "{2 0 }News~~~~~~25\r\n{Fold}0\r\n"
                             "{2 3 }Sonja Berg~~~~~~23\r\n{Pers}~~Sonja~~~~Berg~~~~~~~~~~~~0\r\n"
                             "{3 6 }Home~~555~~~~24\r\n{Phon}~~0\r\n";

TreeNode& Child(TreeNode& parent, const std::string& text)
{
    for (int i = 0; i < parent.ChildCount(); ++i)
        if (parent.ChildAt(i)->Text() == text)
            return *parent.ChildAt(i);
    throw std::runtime_error("no child " + text);
}

class Persons final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

class ImportUndoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::istringstream in(Existing);
        LoadDataStream(in, tree.Root());
        before = SavedTree(tree);
    }

    TestWorld world;
    ItemTree tree{world.Services()};
    std::string before;
};

} // namespace

TEST_F(ImportUndoTest, TakesBackEveryKindOfAddition)
{
    TreeNode& clients = Child(tree.Root(), "Clients");
    TreeNode& sonja = Child(clients, "Sonja Berg");
    ImportUndo undo(tree);

    // Persons with their primary details under a folder, phones into a person that had one.
    std::istringstream persons("Ann,Lee,1 High St\r\nBob,Ray,2 Low Rd\r\n");
    ImportCSV(persons, clients, {KindPerson, {"First Name", "Last Name", "Address Line 1"}, false});
    std::istringstream phones("Work,556\r\nCell,557\r\n");
    ImportCSV(phones, sonja, {KindPhone, {"Title", "Phone Number"}, false});
    // Records with nested nodes and a detail of the root, as an interchange file brings them.
    std::istringstream records("{1 0 }Imported~~~~~~31\r\n{Fold}0\r\n"
                               "{2 3 }Deep Person~~~~~~32\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                               "{1 7 }Mail~~a@b.example~~~~33\r\n{Mail}0\r\n");
    ReadItems(records, tree.Root());
    // Cards beneath the root, and websites filed into an existing folder deep in the tree.
    std::istringstream cards("BEGIN:VCARD\r\nN:Doe;John\r\nTEL:1\r\nEND:VCARD\r\n");
    Persons question;
    ImportVCardFile(cards, tree.Root(), question);
    TempDir favorites;
    WriteWhole(*favorites / "Top.url", "[InternetShortcut]\r\nURL=http://top.example/\r\n");
    std::filesystem::create_directories(*favorites / "News");
    WriteWhole(*favorites / "News" / "Daily.url", "[InternetShortcut]\r\nURL=http://daily.example/\r\n");
    ImportFavorites((*favorites).string(), clients);
    ASSERT_EQ(Child(clients, "News").ChildCount(), 1);
    ASSERT_NE(SavedTree(tree), before);

    undo.Undo();
    EXPECT_EQ(SavedTree(tree), before);
    EXPECT_EQ(sonja.Data()->ChildCount(), 1);
    EXPECT_EQ(tree.RootItem().ChildCount(), 1);
}

TEST_F(ImportUndoTest, AfterNothingWasAddedNothingChanges)
{
    ImportUndo undo(tree);
    undo.Undo();
    EXPECT_EQ(SavedTree(tree), before);
    EXPECT_EQ(tree.NodeCount(), 4);
}

TEST_F(ImportUndoTest, OnlyTheImportsRowsGoWhenItStoppedHalfWay)
{
    TreeNode& clients = Child(tree.Root(), "Clients");
    std::istringstream first(",Ann,Lee\r\n");
    ImportCSV(first, clients, {KindPerson, {"Title", "First Name", "Last Name"}, false});
    const std::string afterFirst = SavedTree(tree);

    ImportUndo undo(tree);
    std::string rows;
    for (int i = 0; i < 600; ++i)
        rows += "First" + std::to_string(i) + ",Last\r\n";
    std::istringstream second(rows);
    int calls = 0;
    const ImportCounts counts = ImportCSV(second, clients, {KindPerson, {"First Name", "Last Name"}, false},
                                          [&calls](std::uint64_t, std::uint64_t) { return ++calls < 2; });
    ASSERT_GT(counts.made, 0);
    ASSERT_LT(counts.made, 600);
    undo.Undo();
    EXPECT_EQ(SavedTree(tree), afterFirst);
    EXPECT_NO_THROW(Child(clients, "Ann Lee"));
}
