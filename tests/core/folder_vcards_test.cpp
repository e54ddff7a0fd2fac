// SPDX-License-Identifier: GPL-3.0-or-later
// Whole folders to one vCard file: every person and organization beneath, depth first, each
// with the organization it sits under when it names none of its own.
#include "support/fake_services.h"
#include "support/test_files.h"

#include "exchange/folder_vcards.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
TKPXObject& Add(int kind, const std::string& title, TreeNode& parent)
{
    return *CreateItem(kind, title, "", "", parent, "", 0);
}

TPersonObject& AddPerson(const std::string& first, const std::string& last, TreeNode& parent)
{
    auto& person = static_cast<TPersonObject&>(Add(KindPerson, first + " " + last, parent));
    person.SetNames("", first, "", last);
    return person;
}

// The lines of the cards that start with one of the names, in file order.
std::string LinesNamed(const std::string& cards, const std::string& names)
{
    std::string picked;
    const std::regex line("^(" + names + ")[;:][^\r]*", std::regex::multiline);
    for (auto it = std::sregex_iterator(cards.begin(), cards.end(), line); it != std::sregex_iterator(); ++it)
        picked += it->str() + "\n";
    return picked;
}
} // namespace

TEST(FolderVCards, EveryPartyBeneathInDepthFirstOrderWithTheOrganizationItSitsUnder)
{
    TestWorld world;
    ItemTree tree(world.Services());
    TreeNode& clients = *Add(KindFolder, "Clients", tree.Root()).GetTreeNode();
    TreeNode& acme = *Add(KindOrganization, "Acme, Inc.", clients).GetTreeNode();
    TreeNode& sales = *Add(KindTeam, "Sales", acme).GetTreeNode();
    AddPerson("Ann", "Lee", sales);
    AddPerson("Bob", "Ray", sales).SetWorkFields("Own Co", "Owner", "");
    AddPerson("Cy", "Ode", acme);
    Add(KindWebsite, "Site", clients);
    AddPerson("Dee", "Fox", clients);
    AddPerson("Eve", "Top", tree.Root());

    std::ostringstream out;
    EXPECT_EQ(WriteVCards(CardParties(clients), out, VCardVersion::V30), 5);
    EXPECT_EQ(LinesNamed(out.str(), "FN|ORG|TITLE"), "FN:Acme\\, Inc.\nORG:Acme\\, Inc.\n"
                                                     "FN:Ann Lee\nORG:Acme\\, Inc.;Sales\n"
                                                     "FN:Bob Ray\nTITLE:Owner\nORG:Own Co\n"
                                                     "FN:Cy Ode\nORG:Acme\\, Inc.\n"
                                                     "FN:Dee Fox\n");
    // A person alone is one card; the root holds everyone.
    EXPECT_EQ(CardParties(*tree.Root().LastChild()).size(), 1U);
    EXPECT_EQ(CardParties(tree.Root()).size(), 6U);

    // What the category filter hides stays out; what lies beneath it does not.
    for (int i = 0; i < tree.NodeCount(); ++i)
        tree.NodeAt(i)->Data()->SetCategories(tree.NodeAt(i) == &acme ? 0 : 1);
    tree.Filter() = {CategoryFilter::Mode::Any, 1};
    std::vector<std::string> titles;
    for (const TPartyObject* party : CardParties(clients))
        titles.push_back(party->GetTitle());
    EXPECT_EQ(titles, (std::vector<std::string>{"Ann Lee", "Bob Ray", "Cy Ode", "Dee Fox"}));
}

TEST(FolderVCards, AFolderWithoutPersonsWritesNoFileAndLeavesAnOldOneAlone)
{
    TempDir dir;
    ItemTree tree;
    TreeNode& links = *Add(KindFolder, "Links", tree.Root()).GetTreeNode();
    Add(KindWebsite, "Site", links);
    const fs::path file = dir / "links.vcf";
    EXPECT_EQ(WriteVCardsFile(links, file, VCardVersion::V40), 0);
    EXPECT_FALSE(fs::exists(file));
    WriteWhole(file, "kept");
    EXPECT_EQ(WriteVCardsFile(links, file, VCardVersion::V40), 0);
    EXPECT_EQ(ReadWhole(file), "kept");

    AddPerson("Ann", "Lee", links);
    EXPECT_EQ(WriteVCardsFile(links, file, VCardVersion::V40), 1);
    EXPECT_NE(ReadWhole(file).find("FN:Ann Lee\r\n"), std::string::npos);
}
