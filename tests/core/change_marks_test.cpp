// SPDX-License-Identifier: GPL-3.0-or-later
// Every way the data changes must leave the tree with unsaved changes, or a crash loses them
// without a recovery copy; and what only reads must not.
#include "automation/automation_host.h"
#include "automation/zelk_app.h"
#include "exchange/csv_import.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "shell/new_item.h"
#include "shell/tree_commands.h"
#include "support/fake_services.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

namespace {

const char* const Sample = "{Params}\r\n"
                           "{0 11 }My Contacts~~~~~~32892645\r\n"
                           "{1 0 }Clients~~~~~~41\r\n{Fold}0\r\n"
                           "{2 3 }Sam Person~~Mr. Sam Person~~~~42\r\n"
                           "{Pers}Mr.~~Sam~~~~Person~~Home~~Work~~~~~~~~0\r\n"
                           "{3 5 }Home~~1 High Street~~~~43\r\n{Addr}1 High Street~~~~~~Springfield~~~~12345~~~~0\r\n"
                           "{3 6 }Work~~555 1234~~~~44\r\n{Phon}12~~0\r\n"
                           "{3 9 }Birthday~~~~~~45\r\n{Remd}2026,3,4,3~~0\r\n"
                           "{1 0 }Other~~~~~~46\r\n{Fold}0\r\n";

class NoSelectionHost final : public AutomationHost
{
public:
    ActivePane GetActivePane() const override { return ActivePane::Folders; }
    TreeNode* SelectedNode() const override { return nullptr; }
    std::vector<TKPXObject*> SelectedRows() const override { return {}; }
    bool FindTitle(std::string_view) override { return false; }
    void SetClipboardText(const std::string&) override {}
};

class PersonCards final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

class ChangeMarks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::istringstream in(Sample);
        LoadDataStream(in, tree.Root());
        tree.MarkSaved();
    }

    TreeNode& Node(const std::string& path)
    {
        TreeNode* node = &tree.Root();
        std::istringstream parts(path);
        for (std::string part; std::getline(parts, part, '/');) {
            TreeNode* next = nullptr;
            for (TreeNode* child = node->FirstChild(); child; child = child->NextSibling())
                if (child->Text() == part)
                    next = child;
            EXPECT_TRUE(next) << part;
            node = next;
        }
        return *node;
    }
    TKPXObject& Person() { return *Node("Clients/Sam Person").Data(); }

    // change must leave unsaved changes behind; the tree starts without any.
    template <typename F> void ExpectMarked(F&& change)
    {
        ASSERT_FALSE(tree.HasUnsavedChanges());
        change();
        EXPECT_TRUE(tree.HasUnsavedChanges());
        tree.MarkSaved();
    }
    template <typename F> void ExpectUnmarked(F&& look)
    {
        ASSERT_FALSE(tree.HasUnsavedChanges());
        look();
        EXPECT_FALSE(tree.HasUnsavedChanges());
    }

    test::TestWorld world;
    ItemTree tree{world.Services()};
};

TEST_F(ChangeMarks, ReadingAndSavingLeaveNothingUnsaved)
{
    EXPECT_FALSE(tree.HasUnsavedChanges());
    const std::uint64_t before = tree.ChangeGeneration();
    tree.MarkChanged();
    EXPECT_GT(tree.ChangeGeneration(), before);
    EXPECT_TRUE(tree.HasUnsavedChanges());
    tree.MarkSaved();
    EXPECT_FALSE(tree.HasUnsavedChanges());
}

TEST_F(ChangeMarks, PropertiesDialogsMarkFieldsOfTheirKindAlone)
{
    // Each accepted dialog changes only a field that no common setter holds.
    world.dialogs.party = [](PartyForm& f, EditMode) { return f.middleName = "Quincy", true; };
    ExpectMarked([&] { Person().EditProperties(); });
    world.dialogs.address = [](AddressForm& f, EditMode) { return f.city = "Shelbyville", true; };
    ExpectMarked([&] { Person().FindChild("Home", KindAddress)->EditProperties(); });
    world.dialogs.phone = [](PhoneForm& f, EditMode) { return f.plainNumber = "5551234", f.extension = "99", true; };
    ExpectMarked([&] { Person().FindChild("Work", KindPhone)->EditProperties(); });
    world.dialogs.group = [](GroupForm& f, EditMode) { return f.comment = "new comment", true; };
    ExpectMarked([&] { Node("Other").Data()->EditProperties(); });
    TKPXObject& tool = *CreateItem(KindTool, "Editor", "", "", Node("Other"), "{Tool}vi~~-R~~0", 0);
    tree.MarkSaved();
    world.dialogs.tool = [](ToolForm& f, EditMode) { return f.iconIndex = 3, true; };
    ExpectMarked([&] { tool.EditProperties(); });
}

TEST_F(ChangeMarks, CancelledDialogsMarkNothingUnlessTheDateMoved)
{
    world.dialogs.party = [](PartyForm& f, EditMode) { return f.middleName = "Quincy", false; };
    ExpectUnmarked([&] { Person().EditProperties(); });
    // The date dialog changes the reminder's date itself, and that stands even on Cancel.
    TKPXObject& reminder = *Person().FindChild("Birthday", KindReminder);
    world.dialogs.onReminderDate = [](TRecurringDate& date) { date.Advance(); };
    ExpectMarked([&] { reminder.EditProperties(); });
}

TEST_F(ChangeMarks, NewItemsRenamesAndCategoriesMark)
{
    world.dialogs.group = [](GroupForm&, EditMode) { return true; };
    ExpectMarked([&] { NewItem(Node("Other"), KindFolder); });
    // In-place renaming of a tree node and of a list entry.
    ExpectMarked([&] { Node("Other").Data()->SetTitle("Others"); });
    ExpectMarked([&] { Person().FindChild("Work", KindPhone)->SetTitle("Office"); });
    // The category pop-up sets the ticks straight into the item.
    ExpectMarked([&] { Person().SetCategories(5); });
    ExpectUnmarked([&] { Person().SetCategories(5); });
}

TEST_F(ChangeMarks, DeleteCutPasteAndDropMark)
{
    ExpectMarked([&] { DeleteEntries(Node("Clients/Sam Person"), {Person().FindChild("Work", KindPhone)}); });
    ExpectMarked([&] { DeleteNodeItem(Node("Other")); });
    test::TempDir dir;
    const std::string records = CopyNodeRecords(Node("Clients"));
    ExpectMarked([&] { PasteRecords(tree.Root(), records, dir / "clipdata.dat"); });
    TreeNode& target = *CreateItem(KindFolder, "Target", "", "", tree.Root(), "", 0)->GetTreeNode();
    tree.MarkSaved();
    ExpectMarked([&] { DropNode(Node("Clients/Sam Person"), target); });
    TKPXObject* address = Node("Target/Sam Person").Data()->FindChild("Home", KindAddress);
    ExpectMarked([&] { DropEntries(Node("Target/Sam Person"), {address}, Node("Clients")); });
}

TEST_F(ChangeMarks, CopyingWritesTheRecordsWithoutChangingAnything)
{
    Node("Clients").Data()->SetCategories(3);
    tree.MarkSaved();
    ExpectUnmarked([&] { EXPECT_NE(CopyNodeRecords(Node("Clients")).find("{Fold}0"), std::string::npos); });
    EXPECT_EQ(Node("Clients").Data()->GetCategories(), 3);
}

TEST_F(ChangeMarks, ImportsAndTheCommandLineHandOverMark)
{
    std::istringstream csv("Ann,Lee\r\n");
    CsvImportSettings settings;
    settings.kind = KindPerson;
    settings.fields = {"First Name", "Last Name"};
    ExpectMarked([&] { EXPECT_EQ(ImportCSV(csv, Node("Other"), settings).made, 1); });
    std::istringstream card("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane;;;\r\nFN:Jane Doe\r\nEND:VCARD\r\n");
    PersonCards question;
    ExpectMarked([&] { ImportVCardFile(card, tree.Root(), question); });
    test::TempDir dir;
    test::WriteWhole(dir / "handed.zkd", "{1 0 }Handed~~~~~~77\r\n{Fold}0\r\n");
    ExpectMarked([&] { EXPECT_TRUE(LoadItemFile(tree.Root(), dir / "handed.zkd")); });
}

// A card read into a person sets most of its texts in one go: a target or comment that differs
// must still count, and a card that says what the person holds already must not.
TEST_F(ChangeMarks, ACardReadIntoAPersonMarksWhatItChanges)
{
    const auto readCard = [&](const std::string& text) {
        TVCardFile file;
        std::istringstream in(text);
        file.Read(in);
        ReadPartyCard(static_cast<TPersonObject&>(Person()), file.Cards(0));
    };
    const std::string same = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;Sam;;Mr.;\r\nFN:Sam Person\r\n";
    ExpectUnmarked([&] { readCard(same + "END:VCARD\r\n"); });
    ExpectMarked([&] { readCard(same + "NOTE:Met at the fair\r\nEND:VCARD\r\n"); });
    EXPECT_EQ(Person().GetComment(), "Met at the fair");
    ExpectMarked([&] { readCard("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;Sam;;Dr.;\r\nFN:Sam Person\r\nEND:VCARD\r\n"); });
    EXPECT_EQ(Person().GetTarget(), "Dr. Sam Person");
}

TEST_F(ChangeMarks, AdvanceDateMarks)
{
    ExpectMarked([&] { Person().FindChild("Birthday", KindReminder)->AdvanceDate(); });
}

TEST_F(ChangeMarks, AutomationWritesAndInsertsMark)
{
    NoSelectionHost host;
    TZelkApp app(tree, host);
    ExpectMarked([&] { app.Insert(KindFolder, "By Automation", "", "", ""); });
    ExpectUnmarked([&] { EXPECT_EQ(app.zelkTitle(), "My Contacts"); });
    ASSERT_TRUE(app.ItemWithId(42)); // Sam Person
    ExpectMarked([&] { app.SetZelkField("Middle Name", "Q."); });
    ExpectMarked([&] { app.SetZelkComment("through the bus"); });
}

} // namespace
