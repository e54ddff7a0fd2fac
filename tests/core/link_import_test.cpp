// SPDX-License-Identifier: GPL-3.0-or-later
// Links that must never be live links, arriving through every import that makes websites.
#include "support/test_files.h"

#include "exchange/bookmark_page.h"
#include "exchange/csv_import.h"
#include "exchange/favorites_import.h"
#include "exchange/vcard_import.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {
// Every website target in the tree, in tree order.
std::vector<std::string> WebsiteTargets(ItemTree& tree)
{
    std::vector<std::string> targets;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        if (node.Data()->GetKind() == KindWebsite)
            targets.push_back(node.Data()->GetTarget());
        for (int i = 0; i < node.Data()->ChildCount(); ++i)
            if (node.Data()->ChildAt(i)->GetKind() == KindWebsite)
                targets.push_back(node.Data()->ChildAt(i)->GetTarget());
    });
    return targets;
}

class PersonCards final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};
} // namespace

TEST(LinkImport, BookmarkPagesAndShortcutsRefuseLinksThatAreNoWebAddresses)
{
    ItemTree tree;
    std::istringstream page("<TITLE>Marks</TITLE>\n"
                            "<DT><A HREF=\"javascript:alert(document.cookie)\">Run</A>\n"
                            "<DT><A HREF=\" JaVa&#9;Script:x\">Entity</A>\n"
                            "<DT><A HREF=\"java\tscript:alert(1)\">Tab</A>\n"
                            "<DT><A HREF=\"data:text/html,<script>x</script>\">Data</A>\n"
                            "<DT><A HREF=\"file:///etc/passwd\">Local</A>\n"
                            "<DT><A HREF=\"https://ok.example/\">Fine</A>\n"
                            "<DT><A HREF=\"page.htm\">Relative</A>\n");
    const ImportCounts marks = ImportNSBook(page, tree.Root());
    EXPECT_EQ(marks.made, 3);
    EXPECT_EQ(marks.reasons, (std::vector<std::string>{"line 2: a \"javascript:\" link is no web address",
                                                       "line 4: a \"javascript:\" link is no web address",
                                                       "line 5: a \"data:\" link is no web address",
                                                       "line 6: a \"file:\" link is no web address"}));
    // "JaVa&#9;Script:" is no link a browser runs: the entity is text until a page decodes it, and
    // published pages escape its "&".
    EXPECT_EQ(WebsiteTargets(tree), (std::vector<std::string>{" JaVa&#9;Script:x", "https://ok.example/", "page.htm"}));

    TempDir favorites;
    WriteWhole(favorites / "Run.url", "[InternetShortcut]\r\nURL=javascript:alert(1)\r\n");
    WriteWhole(favorites / "Local.url", "[InternetShortcut]\r\nURL=file:///C:/Windows/notepad.exe\r\n");
    WriteWhole(favorites / "Fine.url", "[InternetShortcut]\r\nURL=http://fine.example/\r\n");
    ItemTree shortcuts;
    const ImportCounts read = ImportFavorites((*favorites).string(), shortcuts.Root());
    EXPECT_EQ(read.made, 1);
    EXPECT_EQ(read.reasons, (std::vector<std::string>{"shortcut Local.url: a \"file:\" link is no web address",
                                                      "shortcut Run.url: a \"javascript:\" link is no web address"}));
    EXPECT_EQ(WebsiteTargets(shortcuts), std::vector<std::string>{"http://fine.example/"});
}

TEST(LinkImport, DelimitedTextAndVCardsKeepTheContactAndLeaveTheLinkOut)
{
    ItemTree tree;
    std::istringstream websites("Run,javascript:alert(1)\nFine,https://ok.example/\n");
    const ImportCounts sites = ImportCSV(websites, tree.Root(), {KindWebsite, {"Title", "Website"}});
    EXPECT_EQ(sites.made, 1);
    EXPECT_EQ(sites.reasons, std::vector<std::string>{"row 1: a \"javascript:\" link is no web address"});

    std::istringstream persons("Ann,Lee,data:text/html;base64,PHNjcmlwdD4=\n");
    const ImportCounts people = ImportCSV(persons, tree.Root(), {KindPerson, {"First Name", "Last Name", "Website"}});
    EXPECT_EQ(people.made, 1);
    EXPECT_EQ(people.leftOut, std::vector<std::string>{"row 1: website left out: a \"data:\" link is no web address"});
    EXPECT_EQ(ImportSummary(people), "Made 1 person.\nLeft out of imported entries:\n"
                                     "row 1: website left out: a \"data:\" link is no web address");

    std::istringstream cards("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roe;Bob;;;\r\nURL:file:///etc/passwd\r\n"
                             "URL:https://bob.example/\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Poe;Cy\r\nURL:javascript:alert(1)\r\nEND:VCARD\r\n");
    PersonCards question;
    const ImportCounts read = ImportVCardFile(cards, tree.Root(), question);
    EXPECT_EQ(read.made, 2);
    EXPECT_EQ(read.leftOut,
              (std::vector<std::string>{"card 1: URL left out: a \"file:\" link is no web address",
                                        "card 2: URL left out: a \"javascript:\" link is no web address"}));
    EXPECT_EQ(WebsiteTargets(tree), (std::vector<std::string>{"https://bob.example/", "https://ok.example/"}));
}
