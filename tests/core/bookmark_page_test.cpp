// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/bookmark_page.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_observer.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

using namespace quillary;

namespace {

struct Anchor
{
    std::string text;
    std::string link;
    bool operator==(const Anchor&) const = default;
};

std::optional<Anchor> AnchorOf(std::string_view line)
{
    Anchor anchor{"old", "old"};
    if (!GetAnchorInfo(line, anchor.text, anchor.link))
        return std::nullopt;
    return anchor;
}

// Records what views would hear.
class Notifications final : public TreeObserver
{
public:
    void NodeAdded(TreeNode&) override { events.push_back("add"); }
    void DetailsChanged(TreeNode&) override { events.push_back("details"); }
    void TreeResetStarted() override { events.push_back("reset?"); }
    void TreeResetEnded() override { events.push_back("reset"); }
    std::vector<std::string> events;
};

std::string TitleOf(const std::string& page)
{
    std::istringstream in(page);
    return GetBMTitle(in);
}

} // namespace

TEST(BookmarkPage, TheTitleComesFromTheFirstLineThatStartsWithTheTag)
{
    EXPECT_EQ(TitleOf("<!DOCTYPE x>\r\n<TITLE>Bookmarks for Jo</TITLE>\r\n"), "Bookmarks for Jo");
    EXPECT_EQ(TitleOf("<title>Lower tag</TITLE> and more"), "Lower tag");
    EXPECT_EQ(TitleOf("<TITLE></TITLE>"), "");
    EXPECT_EQ(TitleOf("<TITLE>no exact closing tag</title>\n<TITLE>Later</TITLE>"), ""); // the search stops
    EXPECT_EQ(TitleOf(" <TITLE>indented</TITLE>\n<HEAD><TITLE>inside</TITLE>"), "");
    EXPECT_EQ(TitleOf(""), "");
    EXPECT_EQ(GetBMTitle(std::vector<std::string>{"x", "<TITLE>From lines</TITLE>"}), "From lines");
}

TEST(BookmarkPage, AnAnchorGivesItsTextAndItsHrefInAnyCase)
{
    EXPECT_EQ(AnchorOf(R"(<DT><A HREF="target.htm" ADD_DATE="893792461">Alpha</A>)"), (Anchor{"Alpha", "target.htm"}));
    EXPECT_EQ(AnchorOf(R"(<DT><A HREF=target.htm ADD_DATE=893792461>Alpha</A>)"), (Anchor{"Alpha", "target.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A ADD_DATE="1" href="x.htm" HREF="second.htm">X</A>)"), (Anchor{"X", "x.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A NAME="top">Top</A>)"), (Anchor{"Top", ""}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="x.htm">no closing tag)"), (Anchor{"", "x.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="x.htm">closed in lower case</a>)"), (Anchor{"", "x.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="a.htm">A</A><A HREF="b.htm">B</A>)"), (Anchor{"A", "a.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="tag not closed)"), (Anchor{"", "tag not closed"}));
    EXPECT_EQ(AnchorOf("<A"), (Anchor{"", ""}));
}

TEST(BookmarkPage, OnlyTheCapitalTagIsAnAnchor)
{
    EXPECT_EQ(AnchorOf(R"(<dt><a href="target.htm" add_date="1">Alpha</a>)"), std::nullopt);
    EXPECT_EQ(AnchorOf("<DL><p>"), std::nullopt);
    EXPECT_EQ(AnchorOf(""), std::nullopt);
}

// Quoted values keep their blanks and commas; unquoted ones end at the first of them.
TEST(BookmarkPage, QuotedLinksStayWhole)
{
    EXPECT_EQ(AnchorOf(R"(<A HREF="http://maps.example/@51.5,-0.1,15z" ADD_DATE="1">Map</A>)"),
              (Anchor{"Map", "http://maps.example/@51.5,-0.1,15z"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="file:///My Pages/a b.htm">Page</A>)"), (Anchor{"Page", "file:///My Pages/a b.htm"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF=a,b>X</A>)"), (Anchor{"X", "a"}));
    EXPECT_EQ(AnchorOf(R"(<A HREF="unterminated value>X</A>)"), (Anchor{"X", "unterminated value"}));
}

TEST(BookmarkPage, AnAddressBookDropsOnlyAnExactMailtoPrefix)
{
    ItemTree tree;
    std::istringstream page("<TITLE>Addresses</TITLE>\n"
                            "<DT><A HREF=\"mailto:ann@example.com\">Ann</A>\n"
                            "<DT><A HREF=\"Mailto:bert@example.com\">Bert</A>\n");
    const ImportCounts counts = ImportNSAddr(page, tree.Root());
    EXPECT_EQ(counts.made, 2);
    const TKPXObject* folder = tree.Root().FirstChild()->Data();
    ASSERT_EQ(folder->ChildCount(), 2);
    EXPECT_EQ(folder->ChildAt(0)->GetKind(), KindEMail);
    EXPECT_EQ(folder->ChildAt(0)->GetTarget(), "ann@example.com");
    EXPECT_EQ(folder->ChildAt(1)->GetTarget(), "Mailto:bert@example.com");
}

TEST(BookmarkPage, TheFolderGoesUnderTheGivenRootAndTheTreeIsToldOnce)
{
    ItemTree tree;
    Notifications views;
    tree.AddObserver(&views);
    std::istringstream page("<TITLE>B</TITLE>\n<A HREF=\"1\">1</A>\n<A HREF=\"2\">2</A>\n");
    ImportNSBook(page, tree.Root());
    tree.RemoveObserver(&views);
    EXPECT_EQ(views.events, (std::vector<std::string>{"reset?", "reset"}));
    const TreeNode& folder = *tree.Root().FirstChild();
    EXPECT_EQ(folder.Data()->GetKind(), KindFolder);
    ASSERT_EQ(folder.ChildCount(), 2);
    EXPECT_EQ(folder.ChildAt(1)->Data()->GetKind(), KindWebsite);
    EXPECT_EQ(folder.ChildAt(1)->Text(), "2");
}
