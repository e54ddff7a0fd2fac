// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "exchange/html_publish.h"
#include "exchange/publish_choices.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
const fs::path HtmlData = fs::path(QUILLARY_TEST_DATA) / "html";

// The first node in tree order whose label is text.
TreeNode& NodeTitled(ItemTree& tree, std::string_view text)
{
    TreeNode* found = nullptr;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        if (!found && node.Text() == text)
            found = &node;
    });
    if (!found)
        throw std::runtime_error("no node " + std::string(text));
    return *found;
}

void LoadInput(ItemTree& tree, const std::string& name)
{
    if (!LoadItemFile(tree.Root(), HtmlData / name))
        throw std::runtime_error("cannot read " + name);
}

std::map<std::string, std::string> ReadCase(const fs::path& path)
{
    std::map<std::string, std::string> values;
    std::istringstream in(ReadWhole(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

PublishSettings SettingsOf(std::map<std::string, std::string> values, const fs::path& folder)
{
    PublishSettings settings;
    settings.mainFile = folder / values["main"];
    settings.pageTitle = values["title"];
    settings.frames = values["frames"] == "1";
    settings.levels = std::stoi(values["levels"]);
    settings.includeItemFile = values["zkd"] == "1";
    settings.includeVCards = values["vcards"] == "1";
    if (!values["background"].empty())
        settings.background = values["background"];
    if (!values["text"].empty())
        settings.textColour = values["text"];
    if (!values["link"].empty())
        settings.linkColour = values["link"];
    settings.iconsFolder = folder / "no icons here";
    return settings;
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Publishes the Friends folder of friends.zkd into folder with frames, both links and all levels.
PublishSettings FriendsSettings(const fs::path& folder)
{
    PublishSettings settings;
    settings.mainFile = folder / "Friends.htm";
    settings.pageTitle = "Friends";
    settings.iconsFolder = WebIconsFolder(folder / "work");
    return settings;
}

// A tree item that the index leaves out, so that the next listed node can stand several levels deeper.
class UnlistedItem final : public TKPXObject
{
public:
    UnlistedItem(ItemTree& tree, std::string_view title) : TKPXObject(tree, KindFolder, 7)
    {
        ReadDetails({title, "", ""}, "");
    }
    void ReadDetails(const HeadTexts& head, std::string_view) override { SetRecordTexts(head); }
    void EditProperties() override {}
    bool ListInIndex() const override { return false; }
};

TreeNode& AddFolder(TreeNode& parent, std::string_view title)
{
    return *CreateItem(KindFolder, title, "", "", parent, "", 0)->GetTreeNode();
}

TreeNode& AddUnlisted(ItemTree& tree, TreeNode& parent, std::string_view title)
{
    auto item = std::make_unique<UnlistedItem>(tree, title);
    TKPXObject* handle = item.get();
    TreeNode& node = tree.AddChild(parent, std::move(item), std::string(title), 0, 0);
    handle->SetTreeNode(&node);
    return node;
}

std::set<std::string> Matches(const std::string& page, const std::regex& pattern)
{
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), pattern); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

std::set<std::string> IndexLinks(const std::string& index, const std::string& prefix)
{
    return Matches(index, std::regex("<a href=\"" + prefix + "#([^\"]*)\">"));
}

// The index links of a page whose anchors are missing from the entries page.
std::set<std::string> LinksWithoutAnchor(const std::string& index, const std::string& prefix,
                                         const std::string& entries)
{
    const std::set<std::string> anchors = Matches(entries, std::regex("<a name=\"([^\"]*)\">"));
    std::set<std::string> missing;
    for (const std::string& link : IndexLinks(index, prefix))
        if (!anchors.count(link))
            missing.insert(link);
    return missing;
}
} // namespace

// Each case in data/html names its input tree, the published node and the settings; the site
// written into an empty folder must hold exactly the files of the case's folder (vCards aside,
// whose text is the vCard writer's), byte for byte.
TEST(HtmlPublish, GoldenSites)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(HtmlData)) {
        if (entry.path().extension() != ".case")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        auto values = ReadCase(entry.path());
        ItemTree tree;
        LoadInput(tree, values["input"]);
        TempDir out;
        ASSERT_TRUE(PublishHTML(NodeTitled(tree, values["publish"]), SettingsOf(values, *out)));

        auto expectedFolder = entry.path();
        expectedFolder.replace_extension();
        std::set<std::string> written;
        for (const std::string& name : FileNames(*out))
            if (fs::path(name).extension() != ".vcf")
                written.insert(name);
        EXPECT_EQ(written, FileNames(expectedFolder));
        for (const std::string& name : FileNames(expectedFolder)) {
            SCOPED_TRACE(name);
            EXPECT_EQ(ReadWhole(out / name), ReadWhole(expectedFolder / name));
        }
        const std::string entries = ReadWhole(values["frames"] == "1" ? out / "zelkmain.htm" : out / values["main"]);
        const std::string index = values["frames"] == "1" ? ReadWhole(out / "zelkindex.htm") : entries;
        EXPECT_EQ(LinksWithoutAnchor(index, values["frames"] == "1" ? "zelkmain.htm" : "", entries),
                  std::set<std::string>{});
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST(HtmlPublish, AFolderGoesIntoAnEmptyFolderWithItsVCardsAndPictures)
{
    ItemTree tree;
    LoadInput(tree, "friends.zkd");
    TempDir out;
    PublishSettings settings = FriendsSettings(*out);
    fs::create_directories(settings.iconsFolder);
    for (std::string_view picture : {"folder.gif", "org.gif", "person.gif", "web.gif", "zelkbtn.gif", "kpx_16.gif",
                                     "vcard.gif"}) // team.gif is missing: skipped
        WriteWhole(settings.iconsFolder / std::string(picture), "picture " + std::string(picture));
    WriteWhole(out / "org.gif", "the user's own");
    WriteWhole(out / "work" / "stone.gif", "stone");
    settings.background = out / "work" / "stone.gif";

    ASSERT_TRUE(PublishHTML(NodeTitled(tree, "Friends"), settings));

    EXPECT_EQ(FileNames(*out),
              (std::set<std::string>{"Friends.htm", "zelkindex.htm", "zelkmain.htm", "zelkmain.zkd", "vc42.vcf",
                                     "vc43.vcf", "vc45.vcf", "stone.gif", "folder.gif", "org.gif", "person.gif",
                                     "web.gif", "zelkbtn.gif", "kpx_16.gif", "vcard.gif", "work"}));
    EXPECT_EQ(ReadWhole(out / "org.gif"), "the user's own");
    EXPECT_EQ(ReadWhole(out / "vcard.gif"), "picture vcard.gif");
    EXPECT_EQ(ReadWhole(out / "stone.gif"), "stone");
    EXPECT_NE(ReadWhole(out / "zelkindex.htm").find("<body background=\"stone.gif\" text=Black link=Navy>"),
              std::string::npos);

    // Published again, the pages are replaced and the pictures still left alone.
    WriteWhole(out / "zelkmain.htm", "old page");
    WriteWhole(out / "vcard.gif", "changed by the user");
    ASSERT_TRUE(PublishHTML(NodeTitled(tree, "Friends"), settings));
    EXPECT_NE(ReadWhole(out / "zelkmain.htm"), "old page");
    EXPECT_EQ(ReadWhole(out / "vcard.gif"), "changed by the user");
}

TEST(HtmlPublish, TheLastChildOfItsParentCoversOnlyItsOwnSubtree)
{
    ItemTree tree;
    LoadInput(tree, "friends.zkd");
    TempDir out;
    PublishSettings settings = FriendsSettings(*out);
    settings.includeItemFile = false;
    settings.includeVCards = false;
    TreeNode& team = NodeTitled(tree, "Team A");
    ASSERT_EQ(&team, team.Parent()->LastChild());

    std::ostringstream entries;
    ASSERT_TRUE(WriteEntries(entries, team, settings));
    EXPECT_NE(entries.str().find("<a name=\"Team A\">"), std::string::npos);
    EXPECT_NE(entries.str().find("<a name=\"Al Smith\">"), std::string::npos);
    EXPECT_EQ(entries.str().find("After"), std::string::npos);
    std::ostringstream index;
    WriteIndex(index, team, settings, "zelkmain.htm");
    EXPECT_EQ(index.str(), "<a href=\"zelkmain.htm#Al Smith\"><img src=\"person.gif\" align=bottom border=0 hspace=5 "
                           "width=16 height=16>Al Smith</a><br>\r\n");
}

// Every index link must find its anchor after the browser decodes both, and no item text may
// become markup.
TEST(HtmlPublish, EscapedTitlesStillLinkToTheirAnchors)
{
    ItemTree tree;
    LoadInput(tree, "escaping.zkd");
    TempDir out;
    PublishSettings settings = FriendsSettings(*out);
    settings.mainFile = out / "site.htm";
    settings.pageTitle = "<script>";
    ASSERT_TRUE(PublishHTML(tree.Root(), settings));

    const std::string index = ReadWhole(out / "zelkindex.htm");
    const std::string main = ReadWhole(out / "zelkmain.htm");
    EXPECT_EQ(LinksWithoutAnchor(index, "zelkmain.htm", main), std::set<std::string>{});
    EXPECT_EQ(IndexLinks(index, "zelkmain.htm").size(), 3u); // the folder, the website with a sub-website, the person
    for (const std::string* page : {&index, &main}) {
        EXPECT_EQ(page->find("<script"), std::string::npos);
        EXPECT_EQ(page->find("<i>"), std::string::npos);
        EXPECT_EQ(page->find("alert(\""), std::string::npos);
    }
}

TEST(HtmlPublish, ADeepJumpOpensOneBlockquoteAndClosesOnePerLevel)
{
    ItemTree tree;
    TreeNode& first = AddFolder(tree.Root(), "First");
    AddFolder(AddUnlisted(tree, first, "Hidden"), "Deep");
    AddFolder(tree.Root(), "Second");
    PublishSettings settings;
    settings.includeItemFile = false;

    std::ostringstream index;
    WriteIndex(index, tree.Root(), settings, "");
    std::vector<std::string> shape;
    std::istringstream lines(index.str());
    for (std::string line; std::getline(lines, line);) {
        const auto title = line.find('>', line.find("<img")) + 1;
        shape.push_back(line.starts_with("<a href") ? line.substr(title, line.find("</a>") - title) : line);
    }
    EXPECT_EQ(shape, (std::vector<std::string>{"First", "<blockquote>\r", "Deep", "</blockquote>\r", "</blockquote>\r",
                                               "Second"}));
}

TEST(HtmlPublish, ProgressHearsOfEveryNodeAndCanStopBeforeTheMainPageIsReplaced)
{
    ItemTree tree;
    LoadInput(tree, "friends.zkd");
    TempDir out;
    PublishSettings settings = FriendsSettings(*out);
    TreeNode& friends = NodeTitled(tree, "Friends");

    std::vector<std::pair<std::uint64_t, std::uint64_t>> heard;
    ASSERT_TRUE(PublishHTML(friends, settings, [&](std::uint64_t done, std::uint64_t total) {
        heard.emplace_back(done, total);
        return true;
    }));
    ASSERT_EQ(heard.size(), 9u);
    EXPECT_EQ(heard.front(), std::make_pair(std::uint64_t{1}, std::uint64_t{9}));
    EXPECT_EQ(heard.back(), std::make_pair(std::uint64_t{9}, std::uint64_t{9}));

    WriteWhole(out / "zelkmain.htm", "old page");
    fs::remove(out / "vc45.vcf");
    int calls = 0;
    EXPECT_FALSE(PublishHTML(friends, settings, [&](std::uint64_t, std::uint64_t) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ReadWhole(out / "zelkmain.htm"), "old page");
    EXPECT_FALSE(fs::exists(out / "vc45.vcf")); // Al Smith comes last: never reached
    for (const auto& name : FileNames(*out))
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

// A tree made from a file someone else wrote: links that run script or reach local files, mail
// addresses that attach files, two persons with one identifier, a title in Windows-1252.
TEST(HtmlPublish, HostileTextNeverBecomesALiveLinkAndEveryPageDeclaresItsCharacterSet)
{
    ItemTree tree;
    TreeNode& folder = *CreateItem(KindFolder, "Caf\xE9 Friends", "", "", tree.Root(), "", 0)->GetTreeNode();
    for (const char* target : {"javascript:alert(document.cookie)", " java\tscript:alert(1)",
                               "data:text/html;base64,PHNjcmlwdD4=", "file:///etc/passwd", "C:\\autoexec.bat",
                               "mailto:x@y.org?attach=/etc/shadow", "https://ok.example/"})
        CreateItem(KindWebsite, target, target, "", folder, "", 0);
    TreeNode& ann = *CreateItem(KindPerson, "Ann", "Ann Lee", "", folder, "", 77)->GetTreeNode();
    CreateItem(KindEMail, "Trap", "x@y.org?attach=/etc/shadow", "", ann, "", 0);
    CreateItem(KindEMail, "Option", "--attach@x.org", "", ann, "", 0);
    CreateItem(KindEMail, "Plain", "ann@x.org", "", ann, "", 0);
    CreateItem(KindPerson, "Bob", "Bob Roe", "", folder, "", 77);
    TempDir out;
    PublishSettings settings = FriendsSettings(*out);
    for (const bool frames : {true, false}) {
        settings.frames = frames;
        ASSERT_TRUE(PublishHTML(folder, settings));
    }

    std::set<std::string> links;
    for (const std::string& name : FileNames(*out)) {
        if (fs::path(name).extension() != ".htm")
            continue;
        SCOPED_TRACE(name);
        const std::string page = ReadWhole(out / name);
        EXPECT_EQ(page.find("<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"),
                  8u);
        for (const std::string& link : Matches(page, std::regex("href=\"([^\"]*)\"")))
            links.insert(link);
        EXPECT_EQ(page.find("Caf\xE9"), std::string::npos); // the title is written as UTF-8
    }
    EXPECT_EQ(links, (std::set<std::string>{"https://ok.example/", "mailto:ann@x.org", "vc77.vcf", "vc77_2.vcf",
                                            "zelkmain.zkd", "zelkmain.htm#Ann", "zelkmain.htm#Bob", "#Ann", "#Bob",
                                            std::string(MakerWebPage)}));
    // The refused targets are still on the page, as text.
    const std::string entries = ReadWhole(out / "zelkmain.htm");
    EXPECT_NE(entries.find("</em></strong> javascript:alert(document.cookie)<br>"), std::string::npos);
    EXPECT_NE(entries.find("Trap</em></strong> x@y.org?attach=/etc/shadow<br>"), std::string::npos);
    EXPECT_NE(entries.find("<a name=\"Caf\xC3\xA9 Friends\">"), std::string::npos);

    // Both persons keep a card of their own.
    // Each file is its own person's card, which carries the person's title as its formatted name.
    EXPECT_NE(ReadWhole(out / "vc77.vcf").find("FN:Ann\r\n"), std::string::npos);
    EXPECT_NE(ReadWhole(out / "vc77_2.vcf").find("FN:Bob\r\n"), std::string::npos);
}
