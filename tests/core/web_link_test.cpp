// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_excerpt.h"
#include "links/mail_address.h"
#include "links/web_link.h"
#include "model/kpx_object.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(MailAddressRule, PlainAddressesPass)
{
    for (const char* address : {"sam@x.org", "pat.o'neil+news@x-y.org", "a&b@x.org",
                                "j\xC3\xB6rg@b\xC3\xBC"
                                "cher.de",
                                "x/y=z@mail.example"})
        EXPECT_EQ(MailAddressProblem(address), std::nullopt) << address;
}

TEST(MailAddressRule, RefusesWhatWouldBecomeALinkAnOptionOrSeveralArguments)
{
    const auto problem = [](std::string_view address) { return MailAddressProblem(address).value_or("passed"); };
    EXPECT_EQ(problem("mailto:x@y?attach=/etc/shadow"), "the name before \"@\" holds \":\"");
    EXPECT_EQ(problem("x@y?attach=/etc/shadow"), "the domain holds \"?\"");
    EXPECT_EQ(problem("mailto:x@y"), "the name before \"@\" holds \":\"");
    EXPECT_EQ(problem("--attach@x.org"), "it starts with \"-\" and would be taken for an option");
    EXPECT_EQ(problem("-x@y.org"), "it starts with \"-\" and would be taken for an option");
    EXPECT_EQ(problem("a b@x.org"), "the name before \"@\" holds a blank");
    EXPECT_EQ(problem("a@x.org\x1b]0;x"), "the domain holds a control character");
    EXPECT_EQ(problem("Sam <sam@x.org>"), "the name before \"@\" holds a blank");
    EXPECT_EQ(problem("x@-y.org"), "a part starts with \".\" or \"-\"");
    EXPECT_EQ(problem("@x.org"), "nothing stands before or after \"@\"");
    EXPECT_EQ(problem("x@"), "nothing stands before or after \"@\"");
    EXPECT_EQ(problem("Sam"), "it has no \"@\"");

    EXPECT_EQ(RefusedAddressMessage("--attach@x.org", "it starts with \"-\""),
              "No mail was sent: \"--attach@x.org\" is not a plain e-mail address (it starts with \"-\").");
    // A long address is named by its beginning only, never cut inside a character.
    EXPECT_EQ(QuotedExcerpt(std::string(59, 'a') + "\xC3\xA9" + "bbb"), "\"" + std::string(59, 'a') + "...\"");
    EXPECT_EQ(QuotedExcerpt("short"), "\"short\"");
}

TEST(LinkRule, SchemesAreReadAsABrowserReadsThem)
{
    EXPECT_EQ(LinkScheme("  JavaScript:alert(1)"), "javascript");
    EXPECT_EQ(LinkScheme("java\tscr\nipt:alert(1)"), "javascript");
    EXPECT_EQ(LinkScheme("\x01\x1f data:text/html,x"), "data");
    EXPECT_EQ(LinkScheme("C:\\Pages\\a.htm"), "c");
    EXPECT_EQ(LinkScheme("a.htm"), std::nullopt);
    EXPECT_EQ(LinkScheme("pages/a:b.htm"), std::nullopt);
    EXPECT_EQ(LinkScheme("#top"), std::nullopt);
}

TEST(LinkRule, OnlyWebAddressesAndHarmlessMailLinksAreLiveLinks)
{
    for (const char* link :
         {"http://x.org", "HTTPS://x.org/a?b=c", "ftp://files.x.org", "a.htm", "#Friends", "telnet://host",
          "mailto:sam@x.org", "mailto:sam@x.org,lee@y.org?subject=Hi&body=Hello", "mailto:?to=sam@x.org&cc=lee@y.org"})
        EXPECT_EQ(LinkProblem(link), std::nullopt) << link;

    EXPECT_EQ(LinkProblem("javascript:alert(1)"), "a \"javascript:\" link is no web address");
    EXPECT_EQ(LinkProblem(" java\tscript:alert(1)"), "a \"javascript:\" link is no web address");
    EXPECT_EQ(LinkProblem("data:text/html;base64,PHNjcmlwdD4="), "a \"data:\" link is no web address");
    EXPECT_EQ(LinkProblem("file:///etc/passwd"), "a \"file:\" link is no web address");
    EXPECT_EQ(LinkProblem("C:\\autoexec.bat"), "a \"c:\" link is no web address");
    EXPECT_EQ(LinkProblem("mailto:x@y?attach=/etc/shadow"),
              "a \"mailto:\" link may give addresses, a subject and a body, not \"attach\"");
    EXPECT_EQ(LinkProblem("mailto:x@y.org?Attachment=%2Fetc%2Fshadow"),
              "a \"mailto:\" link may give addresses, a subject and a body, not \"attachment\"");
    EXPECT_EQ(LinkProblem("mailto:%2D%2Dattach@x.org"),
              "a \"mailto:\" link to \"--attach@x.org\" (it starts with \"-\" and would be taken for an option)");
    EXPECT_EQ(LinkProblem("mailto:a@x.org?cc=b@y.org,-c@z.org"),
              "a \"mailto:\" link to \"-c@z.org\" (it starts with \"-\" and would be taken for an option)");

    // Opening asks for more: an address IsURL accepts.
    EXPECT_TRUE(IsOpenableLink("http://x.org"));
    EXPECT_TRUE(IsOpenableLink("mailto:sam@x.org?subject=Hi"));
    EXPECT_FALSE(IsOpenableLink("a.htm"));
    EXPECT_FALSE(IsOpenableLink("javascript:alert(1)"));
    EXPECT_FALSE(IsOpenableLink("mailto:x@y?attach=/etc/shadow"));
    EXPECT_EQ(RefusedLinkMessage("file:///etc/passwd"),
              "\"file:///etc/passwd\" was not opened: a \"file:\" link is no web address.");
    EXPECT_EQ(RefusedLinkMessage("www.x.org"),
              "\"www.x.org\" was not opened: only http, https, ftp and mailto addresses are opened.");
}
