// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_error.h"
#include "model/category_filter.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/tree_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace quillary;
namespace fs = std::filesystem;

namespace {

TreeNode& AddNode(TreeNode& parent, int kind, const std::string& title)
{
    return *CreateItem(kind, title, "", "", parent, "", 0)->GetTreeNode();
}

TKPXObject& AddDetail(TreeNode& owner, int kind, const std::string& title)
{
    return *CreateItem(kind, title, "", "", owner, "", 0);
}

// Every node as dots for its depth and its label, with its detail titles in brackets.
std::vector<std::string> Shape(const ItemTree& tree)
{
    std::vector<std::string> lines;
    for (int i = 0; i < tree.NodeCount(); ++i) {
        const TreeNode& node = *tree.NodeAt(i);
        std::string line = std::string(static_cast<std::size_t>(node.Depth()), '.') + node.Text();
        for (int d = 0; d < node.Data()->ChildCount(); ++d)
            line += " [" + node.Data()->ChildAt(d)->GetTitle() + "]";
        lines.push_back(line);
    }
    return lines;
}

// The "{level kind }" start of every head line.
std::vector<std::string> Heads(const std::string& records)
{
    std::vector<std::string> heads;
    std::istringstream in(records);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("{", 0) == 0 && line.find(" }") != std::string::npos && line.find(" }") < 8)
            heads.push_back(line.substr(0, line.find(" }") + 2) + line.substr(line.find(" }") + 2, 4));
    return heads;
}

bool MarkerShown(const TreeNode& node)
{
    return node.StateIndex() != TreeNode::NoImage;
}

class TempDir
{
public:
    TempDir() : m_path(fs::temp_directory_path() / ("quillary-cmd-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(DeleteCommand, NamesOneEntryByTitleAndSeveralByCount)
{
    ItemTree tree;
    TKPXObject& phone = AddDetail(tree.Root(), KindPhone, "Office");
    TKPXObject& fax = AddDetail(tree.Root(), KindFax, "Fax");
    EXPECT_EQ(DeleteSubject({&phone}), "Office");
    EXPECT_EQ(DeleteSubject({&phone, &fax}), "the 2 selected items");
    EXPECT_EQ(DeleteQuestion(DeleteSubject({&phone, &fax})),
              "Are you sure you want to delete the 2 selected items and all sub-items?");
}

TEST(DeleteCommand, RemovesDetailsAndSubtreesButNeverTheRoot)
{
    ItemTree tree;
    TreeNode& clients = AddNode(tree.Root(), KindFolder, "Clients");
    TreeNode& ann = AddNode(clients, KindPerson, "Ann");
    AddNode(ann, KindWebsite, "Ann's site");
    TKPXObject& phone = AddDetail(clients, KindPhone, "Office");
    AddDetail(clients, KindFax, "Fax");
    AddNode(clients, KindPerson, "Bob");

    DeleteEntries(clients, {&phone, ann.Data()});
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"My Contacts", ".Clients [Fax]", "..Bob"}));

    DeleteNodeItem(tree.Root());
    DeleteNodeItem(clients);
    EXPECT_EQ(Shape(tree), std::vector<std::string>{"My Contacts"});
}

TEST(CopyCommand, CopiesANodeRelativeToItselfLeavingOutFilteredItems)
{
    ItemTree tree;
    TreeNode& top = AddNode(tree.Root(), KindFolder, "Top");
    TreeNode& clients = AddNode(top, KindFolder, "Clients");
    TreeNode& ann = AddNode(clients, KindPerson, "Ann");
    AddDetail(ann, KindPhone, "Home");
    TreeNode& site = AddNode(ann, KindWebsite, "Site");
    clients.Data()->SetCategories(CategoryBit(1));
    site.Data()->SetCategories(CategoryBit(1) | CategoryBit(2));
    ann.Data()->SetCategories(CategoryBit(2));

    const std::string all = CopyNodeRecords(clients);
    EXPECT_EQ(Heads(all), (std::vector<std::string>{"{1 0 }Clie", "{2 3 }Ann~", "{3 6 }Home", "{3 4 }Site"}));
    EXPECT_EQ(all.substr(all.size() - 2), "\r\n");
    EXPECT_EQ(all.find('\n'), all.find("\r\n") + 1);

    tree.Filter().mode = CategoryFilter::Mode::Any;
    tree.Filter().mask = CategoryBit(1);
    // Ann is hidden with her phone; her website is still visited and written.
    EXPECT_EQ(Heads(CopyNodeRecords(clients)), (std::vector<std::string>{"{1 0 }Clie", "{3 4 }Site"}));
}

TEST(CopyCommand, CopiesListEntriesEachFromLevelOneWithoutTheFilter)
{
    ItemTree tree;
    TreeNode& clients = AddNode(AddNode(tree.Root(), KindFolder, "Top"), KindFolder, "Clients");
    TKPXObject& phone = AddDetail(clients, KindPhone, "Office");
    TreeNode& ann = AddNode(clients, KindPerson, "Ann");
    AddDetail(ann, KindEMail, "Mail");
    AddNode(ann, KindWebsite, "Site");
    ann.Data()->SetCategories(CategoryBit(2));
    tree.Filter().mode = CategoryFilter::Mode::All;
    tree.Filter().mask = CategoryBit(1);

    EXPECT_EQ(Heads(CopyEntryRecords({&phone, ann.Data()})),
              (std::vector<std::string>{"{1 6 }Offi", "{1 3 }Ann~", "{2 7 }Mail", "{2 4 }Site"}));
    EXPECT_EQ(CopyEntryRecords({}), "");
}

TEST(PasteCommand, ReproducesACopiedSubtreeSortedUnderTheHolder)
{
    TempDir dir;
    ItemTree tree;
    TreeNode& clients = AddNode(tree.Root(), KindFolder, "Clients");
    TreeNode& ann = AddNode(clients, KindPerson, "Ann");
    AddDetail(ann, KindPhone, "Home");
    AddNode(ann, KindWebsite, "Site");
    TreeNode& other = AddNode(tree.Root(), KindFolder, "Other");
    AddNode(other, KindPerson, "Zed");

    const std::string text = CopyNodeRecords(clients);
    EXPECT_TRUE(PasteRecords(other, text, dir / "clipdata.dat"));
    EXPECT_EQ(ReadAll(dir / "clipdata.dat"), text);
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"My Contacts", ".Clients", "..Ann [Home]", "...Site", ".Other",
                                                     "..Clients", "...Ann [Home]", "....Site", "..Zed"}));
}

TEST(PasteCommand, EmptyTextPastesNothingAndLeavesTheFileAlone)
{
    TempDir dir;
    ItemTree tree;
    EXPECT_FALSE(PasteRecords(tree.Root(), "", dir / "clipdata.dat"));
    EXPECT_FALSE(fs::exists(dir / "clipdata.dat"));
    EXPECT_THROW(PasteRecords(tree.Root(), "{1 0 }X~~~~~~1\r\n{Fold}0\r\n", dir / "missing" / "clipdata.dat"),
                 FileError);
    EXPECT_EQ(tree.NodeCount(), 1);
}

TEST(RevertCommand, RestoresTheSavedTreeAndRootDetails)
{
    TempDir dir;
    ItemTree tree;
    AddDetail(tree.Root(), KindEMail, "Saved mail");
    AddNode(AddNode(tree.Root(), KindFolder, "Clients"), KindPerson, "Ann");
    SaveDataFile(tree, dir / "zelk.dat");
    const std::vector<std::string> saved = Shape(tree);

    AddDetail(tree.Root(), KindPhone, "New phone");
    AddNode(tree.Root(), KindFolder, "New folder");
    EXPECT_TRUE(Revert(tree, dir / "zelk.dat"));
    EXPECT_EQ(Shape(tree), saved);

    EXPECT_TRUE(Revert(tree, dir / "never-saved.dat"));
    EXPECT_EQ(Shape(tree), std::vector<std::string>{"My Contacts"});
}

TEST(RevertCommand, KeepsTheTreeWhenTheFileCannotBeRead)
{
    TempDir dir;
    ItemTree tree;
    AddNode(tree.Root(), KindFolder, "Unsaved");
    fs::create_directories(dir / "zelk.dat");
    EXPECT_FALSE(Revert(tree, dir / "zelk.dat"));
    EXPECT_EQ(tree.NodeCount(), 2);
}

TEST(DropCommand, RefusesTheNodeItselfItsSubtreeAndTheRoot)
{
    ItemTree tree;
    TreeNode& a = AddNode(tree.Root(), KindFolder, "A");
    TreeNode& sub = AddNode(a, KindFolder, "Sub");
    TreeNode& b = AddNode(tree.Root(), KindFolder, "B");
    AddNode(b, KindFolder, "Z");
    const std::vector<std::string> before = Shape(tree);

    EXPECT_FALSE(DropNode(a, a));
    EXPECT_FALSE(DropNode(a, sub));
    EXPECT_FALSE(DropNode(tree.Root(), b));
    EXPECT_EQ(Shape(tree), before);

    EXPECT_TRUE(DropNode(a, b));
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"My Contacts", ".B", "..A", "...Sub", "..Z"}));
}

TEST(DropCommand, DueMarkersMoveWithADroppedNode)
{
    ItemTree tree;
    TreeNode& a = AddNode(tree.Root(), KindFolder, "A");
    TreeNode& sub = AddNode(a, KindFolder, "Sub");
    TreeNode& ann = AddNode(sub, KindPerson, "Ann");
    AddDetail(ann, KindReminder, "Birthday").SetFlag(1);
    AddDetail(a, KindReminder, "Meeting").SetFlag(1);
    TreeNode& b = AddNode(tree.Root(), KindFolder, "B");
    TreeNode& c = AddNode(b, KindFolder, "C");

    ASSERT_TRUE(DropNode(sub, c));
    EXPECT_EQ(a.Data()->GetFlagCount(), 1); // its own reminder still counts
    EXPECT_TRUE(MarkerShown(a));
    EXPECT_EQ(b.Data()->GetFlagCount(), 1);
    EXPECT_EQ(c.Data()->GetFlagCount(), 1);
    EXPECT_TRUE(MarkerShown(b) && MarkerShown(c) && MarkerShown(sub) && MarkerShown(ann));
    EXPECT_FALSE(MarkerShown(tree.Root()));

    ASSERT_TRUE(DropNode(sub, tree.Root()));
    EXPECT_FALSE(MarkerShown(b) || MarkerShown(c));
    EXPECT_EQ(b.Data()->GetFlagCount(), 0);
    EXPECT_TRUE(MarkerShown(sub));
}

TEST(DropCommand, EntriesMoveWithTheirMarkersAndSkipMovesIntoThemselves)
{
    ItemTree tree;
    TreeNode& clients = AddNode(tree.Root(), KindFolder, "Clients");
    TKPXObject& reminder = AddDetail(clients, KindReminder, "Call back");
    reminder.SetFlag(1);
    TreeNode& ann = AddNode(clients, KindPerson, "Ann");
    AddDetail(ann, KindReminder, "Birthday").SetFlag(1);
    TreeNode& target = AddNode(clients, KindFolder, "Target");
    TreeNode& stray = AddNode(tree.Root(), KindFolder, "Stray");
    TKPXObject& notHeld = AddDetail(stray, KindPhone, "Elsewhere");

    DropEntries(clients, {&reminder, ann.Data(), target.Data(), &notHeld}, target);
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"My Contacts", ".Clients", "..Target [Call back]",
                                                     "...Ann [Birthday]", ".Stray [Elsewhere]"}));
    EXPECT_EQ(reminder.GetTreeNode(), &target);
    EXPECT_EQ(clients.Data()->GetFlagCount(), 2);
    EXPECT_EQ(target.Data()->GetFlagCount(), 2);

    DropEntries(target, {&reminder, ann.Data()}, stray);
    EXPECT_EQ(clients.Data()->GetFlagCount(), 0);
    EXPECT_FALSE(MarkerShown(clients) || MarkerShown(target));
    EXPECT_EQ(stray.Data()->GetFlagCount(), 2);
    EXPECT_TRUE(MarkerShown(stray));
}
