// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/main_tips.h"

#include "common/comma_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace quillary {
namespace {

namespace fs = std::filesystem;

const fs::path RepoRoot = fs::path(QUILLARY_TEST_DATA) / ".." / ".." / "..";
const fs::path HelpDir = RepoRoot / "resources" / "help";

// The context number of a tip entry, 0 when it has none; fails the test when the entry is not in the tip format.
int TipContext(const std::string& entry)
{
    const std::vector<std::string> fields = SplitCommaText(entry);
    EXPECT_TRUE(fields.size() == 1 || fields.size() == 2) << entry;
    EXPECT_TRUE(entry.starts_with('"')) << entry;
    if (fields.empty() || fields.size() > 2)
        return 0;
    EXPECT_FALSE(fields[0].empty()) << entry;
    if (fields.size() == 1)
        return 0;
    const std::string& number = fields[1];
    const bool digits = !number.empty() && number.size() <= 4 &&
                        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    EXPECT_TRUE(digits) << entry;
    const int context = digits ? std::stoi(number) : 0;
    EXPECT_TRUE(context >= 1000 && context <= 1046) << entry;
    return context;
}

std::set<int> UsedContexts()
{
    std::set<int> contexts;
    for (const std::string& entry : MainWindowTips())
        if (const int context = TipContext(entry); context != 0)
            contexts.insert(context);
    return contexts;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> HelpPages()
{
    std::set<std::string> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(HelpDir))
        if (entry.path().extension() == ".html")
            pages.insert(entry.path().filename().string());
    return pages;
}

// The help pages that the links of a page lead to; links that leave the help (web, mail) or stay on the page are
// left out.
std::set<std::string> LinkedPages(const std::string& html)
{
    static const std::regex href(R"re(href\s*=\s*"([^"]*)")re", std::regex::icase);
    std::set<std::string> pages;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href); it != std::sregex_iterator(); ++it) {
        const std::string link = (*it)[1].str();
        const std::string page = link.substr(0, link.find('#'));
        if (!page.empty() && page.find(':') == std::string::npos)
            pages.insert(page);
    }
    return pages;
}

TEST(MainTips, EveryEntryIsATipAndTheCountsHold)
{
    const std::vector<std::string>& tips = MainWindowTips();
    ASSERT_EQ(tips.size(), 50u);
    const auto withContext =
        std::count_if(tips.begin(), tips.end(), [](const std::string& entry) { return TipContext(entry) != 0; });
    EXPECT_EQ(withContext, 39);
    EXPECT_EQ(std::set<std::string>(tips.begin(), tips.end()).size(), tips.size()) << "a tip is listed twice";
}

TEST(MainTips, KeepsTheSixExampleTipsWordForWord)
{
    const std::string examples[] = {
        R"("Did you know Quillary works as a 'Helper Application' with your web browser? Click bulb to learn how!", 1024)",
        R"("If you use Eudora, import your address book. Click 'File...Import' to use the Import Wizard", 1020)",
        R"("Did you know each contact can be flagged with one of 32 user-defined categories? This lets you group contacts.", 1002)",
        R"("To find a contact, type any part of the title in the 'Find' edit box. Press F3 key to repeat the search.", 1015)",
        R"("Did you know there are two main window setups? Select 'View...Toggle Main Window' to switch. All settings are stored.")",
        R"("To edit a contact, right-click the icon and select 'Properties' from the popup menu.")",
    };
    const std::vector<std::string>& tips = MainWindowTips();
    for (const std::string& example : examples)
        EXPECT_NE(std::find(tips.begin(), tips.end(), example), tips.end()) << example;
}

TEST(MainTips, EntriesAreWrittenInTheOneTipLayout)
{
    // Quoted text with inner quotes doubled, then ", " and the number: rebuilding each entry from its split fields
    // must give it back, and at least one tip must quote a caption so that the doubling is exercised.
    bool quotesInside = false;
    for (const std::string& entry : MainWindowTips()) {
        const std::vector<std::string> fields = SplitCommaText(entry);
        ASSERT_FALSE(fields.empty()) << entry;
        std::string rebuilt = "\"";
        for (const char c : fields[0])
            rebuilt += c == '"' ? std::string(2, c) : std::string(1, c);
        rebuilt += '"';
        if (fields.size() == 2)
            rebuilt += ", " + fields[1];
        EXPECT_EQ(rebuilt, entry);
        quotesInside = quotesInside || fields[0].find('"') != std::string::npos;
    }
    EXPECT_TRUE(quotesInside);
}

TEST(HelpPages, EveryTipContextAndEveryFixedTopicHasAPage)
{
    for (const int context : UsedContexts())
        EXPECT_TRUE(fs::is_regular_file(HelpDir / (std::to_string(context) + ".html"))) << context;
    // The contents, the main window, the edit dialogs, the Options dialog and the two wizards open these directly.
    for (const char* page : {"contents.html", "1003.html", "1039.html", "1040.html", "1044.html", "1045.html"})
        EXPECT_TRUE(fs::is_regular_file(HelpDir / page)) << page;
}

TEST(HelpPages, LinksLeadToExistingPagesAndBackToTheContents)
{
    const std::set<std::string> pages = HelpPages();
    for (const std::string& page : pages) {
        const std::string text = ReadFile(HelpDir / page);
        EXPECT_NE(text.find("<title>"), std::string::npos) << page;
        const std::set<std::string> targets = LinkedPages(text);
        for (const std::string& target : targets) {
            EXPECT_TRUE(pages.contains(target)) << page << " links to missing " << target;
        }
        const bool backToContents = page == "contents.html" || targets.contains("contents.html");
        EXPECT_TRUE(backToContents) << page << " has no way back to the contents";
    }
}

TEST(HelpPages, ContentsListEveryPage)
{
    const std::set<std::string> listed = LinkedPages(ReadFile(HelpDir / "contents.html"));
    for (const std::string& page : HelpPages()) {
        EXPECT_TRUE(page == "contents.html" || listed.contains(page)) << page << " is missing from the contents";
    }
}

TEST(HelpPages, ResourceFileListsEveryPageUnderItsOwnName)
{
    const std::string qrc = ReadFile(RepoRoot / "resources" / "help.qrc");
    EXPECT_NE(qrc.find(R"(<qresource prefix="/help">)"), std::string::npos);
    const std::regex file(R"re(<file alias="([^"]*)">help/([^<]*)</file>)re");
    std::set<std::string> listed;
    for (auto it = std::sregex_iterator(qrc.begin(), qrc.end(), file); it != std::sregex_iterator(); ++it) {
        EXPECT_EQ((*it)[1].str(), (*it)[2].str());
        listed.insert((*it)[1].str());
    }
    EXPECT_EQ(listed, HelpPages());
}

} // namespace
} // namespace quillary
