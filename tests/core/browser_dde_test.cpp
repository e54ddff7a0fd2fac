// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "browser/browser_capture.h"
#include "browser/browser_conversation.h"
#include "browser/browser_dde.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace quillary;
using namespace quillary::test;

namespace {

// Browsers by service name; each answers every topic with a scripted reply (empty by default).
class FakeConversation final : public BrowserConversation
{
public:
    std::optional<std::string> Request(const std::string& service, const std::string& topic, const std::string& item,
                                       const std::string& application) override
    {
        calls.push_back({service, topic, item, application});
        if (!application.empty() && startable.count(application))
            running.insert(service);
        if (!running.count(service))
            return std::nullopt;
        return replies[topic];
    }

    struct Asked
    {
        std::string service, topic, item, application;
        bool operator==(const Asked&) const = default;
    };
    std::set<std::string> running;
    std::set<std::string> startable;
    std::map<std::string, std::string> replies;
    std::vector<Asked> calls;

    std::vector<std::string> ServicesAsked() const
    {
        std::vector<std::string> services;
        for (const Asked& call : calls)
            services.push_back(call.service);
        return services;
    }
};

} // namespace

TEST(BrowserDDE, FindBrowserTriesServicesInOrderAndRemembersTheOneThatAnswered)
{
    FakeConversation browsers;
    TBrowserDDE link(browsers, "Opera", "");
    link.SetStartBrowser(false);
    EXPECT_FALSE(link.FindBrowser());
    EXPECT_EQ(browsers.ServicesAsked(),
              (std::vector<std::string>{"NETSCAPE", "Opera", "NETSCAPE", "IExplore", "Mosaic"}));

    browsers.running = {"IExplore", "Mosaic"};
    browsers.calls.clear();
    EXPECT_TRUE(link.FindBrowser());
    EXPECT_EQ(link.CurrentService(), "IExplore");
    browsers.calls.clear();
    EXPECT_TRUE(link.FindBrowser()); // the one that answered is asked first from now on
    EXPECT_EQ(browsers.ServicesAsked(), std::vector<std::string>{"IExplore"});
    EXPECT_EQ(browsers.calls[0].topic, "WWW_Version");

    browsers.running = {"Opera"};
    EXPECT_TRUE(link.FindBrowser());
    EXPECT_EQ(link.CurrentService(), "Opera");
}

TEST(BrowserDDE, OnlyTheLastStepStartsTheBrowserProgramAndOnlyWhenAllowed)
{
    FakeConversation browsers;
    browsers.startable = {"/usr/bin/chromium"};
    TBrowserDDE link(browsers, "chromium", "/usr/bin/chromium");
    link.SetStartBrowser(false);
    EXPECT_FALSE(link.FindBrowser());
    for (const auto& call : browsers.calls)
        EXPECT_EQ(call.application, "");

    link.SetStartBrowser(true);
    browsers.calls.clear();
    EXPECT_TRUE(link.FindBrowser());
    EXPECT_EQ(browsers.calls.back().application, "/usr/bin/chromium");
    EXPECT_EQ(browsers.calls.back().service, "chromium");
    EXPECT_EQ(link.CurrentService(), "chromium");
    EXPECT_EQ(std::count_if(browsers.calls.begin(), browsers.calls.end(),
                            [](const auto& call) { return !call.application.empty(); }),
              1);
}

TEST(BrowserDDE, OpenURLAsksForAnyWindowThenActivatesTheWindowNamed)
{
    FakeConversation browsers;
    browsers.running = {"NETSCAPE"};
    browsers.replies["WWW_OpenURL"] = "42";
    TBrowserDDE link(browsers, "IExplore", "");
    EXPECT_EQ(link.OpenURL("https://example.org/a,b"), "42");
    ASSERT_EQ(browsers.calls.size(), 3u);
    EXPECT_EQ(browsers.calls[1],
              (FakeConversation::Asked{"NETSCAPE", "WWW_OpenURL", "https://example.org/a,b,,0xFFFFFFFF", ""}));
    EXPECT_EQ(browsers.calls[2], (FakeConversation::Asked{"NETSCAPE", "WWW_Activate", "42", ""}));

    browsers.running.clear();
    browsers.calls.clear();
    EXPECT_EQ(link.OpenURL("https://example.org"), "");
    for (const auto& call : browsers.calls)
        EXPECT_EQ(call.topic, "WWW_Version");
}

TEST(BrowserDDE, WindowInfoRepliesAreReadWithTheFrameRemoved)
{
    EXPECT_EQ(ParseWindowInfo(R"("file:///C:/x.htm","Netscape - [My Page]")").address, "file:///C:/x.htm");
    EXPECT_EQ(ParseWindowInfo(R"("file:///C:/x.htm","Netscape - [My Page]")").title, "My Page");
    EXPECT_EQ(ParseWindowInfo(R"("http://a/","My Page","NETSCAPE")").title, "My Page");
    EXPECT_EQ(ParseWindowInfo(R"("http://a/","Netscape - [a] b]")").title, "a] b]"); // "]" not last: kept
    EXPECT_EQ(ParseWindowInfo(R"("http://a/","Netscape - [")").title, "");

    // Without a comma the title comes from the reply's first characters; the address still ends at a quote.
    const WindowInfo noComma = ParseWindowInfo(R"("http://a/b")");
    EXPECT_EQ(noComma.address, "http://a/b");
    EXPECT_EQ(noComma.title, "http://a/b");
    for (const char* odd : {"", "\"", ",", "\",\"", "x"}) {
        const WindowInfo info = ParseWindowInfo(odd);
        EXPECT_EQ(info.title, "") << odd;
    }
    EXPECT_EQ(ParseWindowInfo("").address, "");
}

TEST(BrowserDDE, CaptureMakesASortedWebsiteWithoutStartingABrowser)
{
    TestWorld world;
    ItemTree tree(world.Services());
    CreateItem(KindPerson, "Zed", "", "", tree.Root(), "", 0);
    FakeConversation browsers;
    browsers.startable = {"/usr/bin/chromium"};
    TBrowserDDE link(browsers, "IExplore", "/usr/bin/chromium");
    EXPECT_EQ(CaptureBrowserPage(link, tree.Root()), nullptr);
    EXPECT_EQ(tree.NodeCount(), 2);
    EXPECT_FALSE(link.StartBrowser());

    browsers.running = {"IExplore"};
    browsers.replies["WWW_GetWindowInfo"] = R"("file:///C:/x.htm","Netscape - [My Page]")";
    TKPXObject* website = CaptureBrowserPage(link, tree.Root());
    ASSERT_NE(website, nullptr);
    EXPECT_EQ(website->GetKind(), KindWebsite);
    EXPECT_EQ(website->GetTitle(), "My Page");
    EXPECT_EQ(website->GetTarget(), "file:///C:/x.htm");
    EXPECT_EQ(tree.Root().FirstChild()->Data(), website); // sorted before "Zed"
    EXPECT_EQ(browsers.calls.back(), (FakeConversation::Asked{"IExplore", "WWW_GetWindowInfo", "0xFFFFFFFF", ""}));
}
