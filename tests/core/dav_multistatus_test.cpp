// SPDX-License-Identifier: GPL-3.0-or-later
// Multistatus replies as servers write them and as hostile ones shape them: what is kept of each
// response, and the bounds checked while the reply is read.
#include "dav/address_book_answers.h"
#include "dav/dav_multistatus.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {
constexpr char Base[] = "https://dav.example/dav/book/";

std::string Multistatus(const std::string& responses)
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\">" +
           responses + "</d:multistatus>";
}

std::string Member(const std::string& href, const std::string& props)
{
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + props +
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

struct Read
{
    std::vector<DavResponse> responses;
    std::string problem;
    std::string token;
};

Read ReadReply(const std::string& body, const std::vector<DavName>& wanted, std::size_t piece = 4096)
{
    Read read;
    MultistatusReader reader(Base, wanted, [&](DavResponse& response) {
        read.responses.push_back(std::move(response));
        return std::string();
    });
    reader.KeepOversized(dav::AddressData, 1 << 20);
    bool fed = true;
    for (std::size_t at = 0; fed && at < body.size(); at += piece)
        fed = reader.Feed(std::string_view(body).substr(at, piece));
    if (!fed || !reader.Finish())
        read.problem = reader.Problem();
    read.token = reader.SyncToken();
    return read;
}
} // namespace

TEST(DavMultistatus, KeepsOnlyWhatWasAskedForOfResponsesInEveryShape)
{
    const std::string body =
        "<x:multistatus xmlns:x=\"DAV:\"><x:sync-token> tok-7 </x:sync-token>"
        "<x:response><x:href>/dav/book/a%40b.vcf</x:href>"
        "<x:propstat><x:prop><x:getetag>\"e1\"</x:getetag><x:junk>" +
        std::string(5000, 'j') +
        "</x:junk></x:prop><x:status>HTTP/1.1 200 OK</x:status></x:propstat>"
        "<x:propstat><x:prop><x:getetag/><x:getcontenttype/></x:prop><x:status>HTTP/1.1 404 Not Found</x:status>"
        "</x:propstat></x:response>"
        "<response xmlns=\"DAV:\"><href>relative.vcf</href><propstat><prop><resourcetype><collection/>"
        "<a:addressbook xmlns:a=\"urn:ietf:params:xml:ns:carddav\"/></resourcetype></prop>"
        "<status>HTTP/1.1 200 OK</status></propstat></response>"
        "<x:response><x:href>https://other.example/dav/book/../book/./gone.vcf</x:href>"
        "<x:status>HTTP/1.1 404 Not Found</x:status></x:response></x:multistatus>";
    const Read read = ReadReply(body, {dav::GetEtag, dav::ResourceType, dav::GetContentType}, 7);
    ASSERT_EQ(read.problem, "");
    EXPECT_EQ(read.token, "tok-7");
    ASSERT_EQ(read.responses.size(), 3U);
    EXPECT_EQ(read.responses[0].href, "/dav/book/a@b.vcf");
    ASSERT_NE(read.responses[0].Found(dav::GetEtag), nullptr);
    EXPECT_EQ(read.responses[0].Found(dav::GetEtag)->text, "\"e1\"");
    EXPECT_EQ(read.responses[0].Found(dav::GetContentType), nullptr);
    EXPECT_EQ(read.responses[0].properties.size(), 2U); // the junk nobody asked for is not kept
    EXPECT_EQ(read.responses[1].href, "/dav/book/relative.vcf");
    EXPECT_TRUE(IsAddressBook(read.responses[1]));
    EXPECT_EQ(read.responses[2].href, "/dav/book/gone.vcf");
    EXPECT_EQ(read.responses[2].status, 404);
}

TEST(DavMultistatus, ManyHrefsInOneResponseAreEachTheirStatusAndNothingElse)
{
    std::string hrefs;
    for (int i = 0; i < 20000; ++i)
        hrefs += "<d:href>/dav/book/m" + std::to_string(i) + ".vcf</d:href>";
    std::string elements;
    for (int i = 0; i < 4000; ++i)
        elements += "<d:x/>";
    const Read read = ReadReply(Multistatus("<d:response>" + hrefs +
                                            "<d:propstat><d:prop><d:resourcetype>" + elements +
                                            "</d:resourcetype></d:prop></d:propstat>"
                                            "<d:status>HTTP/1.1 404 Not Found</d:status></d:response>"),
                                {dav::ResourceType});
    ASSERT_EQ(read.problem, "");
    ASSERT_EQ(read.responses.size(), 20000U);
    for (const DavResponse& response : read.responses)
        ASSERT_TRUE(response.properties.empty() && response.status == 404) << response.href;
}

TEST(DavMultistatus, BoundsAreCheckedWhileTheReplyIsRead)
{
    // More elements in one response than a card's response could hold.
    std::string elements;
    for (std::size_t i = 0; i <= MaxDavElementsPerResponse; ++i)
        elements += "<d:x/>";
    EXPECT_NE(ReadReply(Multistatus(Member("/dav/book/a.vcf", "<d:resourcetype>" + elements + "</d:resourcetype>")),
                        {dav::ResourceType})
                  .problem.find("more than 4096 elements"),
              std::string::npos);

    // Entries: the reply is refused at the first entry past the bound, none gathered beyond it.
    std::size_t seen = 0;
    MultistatusReader reader(Base, {}, [&](DavResponse&) {
        ++seen;
        return std::string();
    });
    std::string prolog = Multistatus("");
    prolog.resize(prolog.size() - std::string_view("</d:multistatus>").size());
    ASSERT_TRUE(reader.Feed(prolog));
    bool fed = true;
    for (std::size_t i = 0; fed && i <= MaxDavEntries; ++i)
        fed = reader.Feed("<d:response><d:href>/x</d:href><d:status>HTTP/1.1 404 x</d:status></d:response>");
    EXPECT_FALSE(fed);
    EXPECT_EQ(seen, MaxDavEntries);
    EXPECT_NE(reader.Problem().find("more than 500000 entries"), std::string::npos);

    const std::pair<std::string, const char*> refused[] = {
        {Member("/dav/book/a.vcf", "<d:getetag>" + std::string(MaxDavTextBytes + 1, 'e') + "</d:getetag>"),
         "{DAV:}getetag longer than 64 KiB"},
        {"<d:response><d:href>" + std::string(MaxDavTextBytes + 1, 'h') + "</d:href></d:response>",
         "text longer than 64 KiB"},
        {Member("https:2/x/b%40c.vcf", ""), "\"https:2/x/b%40c.vcf\", which is no path"},
        {Member("mailto:ann@example.org", ""), "which is no path"},
    };
    for (const auto& [responses, reason] : refused)
        EXPECT_NE(ReadReply(Multistatus(responses), {dav::GetEtag}).problem.find(reason), std::string::npos) << reason;
    EXPECT_NE(ReadReply("<html><body>Sign in</body></html>", {}).problem.find("not a multistatus"), std::string::npos);
}

TEST(DavMultistatus, ACardOverItsBoundKeepsItsBeginningAndIsMarked)
{
    const std::string card = "BEGIN:VCARD\nVERSION:3.0\nFN:Pat Photo\nPHOTO;ENCODING=b:" + std::string(3 << 20, 'Q');
    const Read read =
        ReadReply(Multistatus(Member("/dav/book/big.vcf", "<d:getetag>\"1\"</d:getetag><card:address-data>" + card +
                                                               "</card:address-data>") +
                              Member("/dav/book/small.vcf",
                                     "<d:getetag>\"2\"</d:getetag><card:address-data>BEGIN:VCARD\nFN:Ann\n"
                                     "END:VCARD</card:address-data>")),
                  {dav::GetEtag, dav::AddressData}, 1 << 16);
    ASSERT_EQ(read.problem, "");
    ASSERT_EQ(read.responses.size(), 2U);
    const DavProperty* big = read.responses[0].Found(dav::AddressData);
    ASSERT_NE(big, nullptr);
    EXPECT_TRUE(big->oversized);
    EXPECT_LE(big->text.size(), 64U * 1024);
    EXPECT_EQ(big->text.rfind("BEGIN:VCARD\nVERSION:3.0\nFN:Pat Photo\n", 0), 0U);
    const DavProperty* small = read.responses[1].Found(dav::AddressData);
    ASSERT_NE(small, nullptr);
    EXPECT_FALSE(small->oversized);
    EXPECT_EQ(small->text, "BEGIN:VCARD\nFN:Ann\nEND:VCARD");
}

TEST(DavMultistatus, DiscoveryAnswersNameBooksHomesAndPrincipalsOnTheServerThatAnswered)
{
    DavMultistatus content;
    ASSERT_EQ(ParseMultistatus(
                  Multistatus("<d:response><d:href>/dav/</d:href><d:propstat><d:prop><d:current-user-principal>"
                              "<d:href>https://elsewhere.example/p/ann/</d:href></d:current-user-principal>"
                              "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
                              "<d:response><d:href>/dav/home/work%20book</d:href><d:propstat><d:prop>"
                              "<d:resourcetype><d:collection/><card:addressbook/></d:resourcetype>"
                              "<d:displayname>Work &amp; Play</d:displayname><card:supported-address-data>"
                              "<card:address-data-type content-type=\"text/vcard\" version=\" 4.0 \"/>"
                              "</card:supported-address-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                              "</d:propstat></d:response>"),
                  "https://user@dav.example:8443/dav/",
                  {dav::CurrentUserPrincipal, dav::AddressBookHomeSet, dav::ResourceType, dav::DisplayName,
                   dav::SupportedAddressData},
                  content),
              "");
    EXPECT_EQ(PropertyHrefUrl(content.responses[0], dav::CurrentUserPrincipal, "https://dav.example:8443/dav/"),
              "https://dav.example:8443/p/ann/");
    EXPECT_FALSE(PropertyHrefUrl(content.responses[0], dav::AddressBookHomeSet, "https://dav.example:8443/dav/"));
    const std::vector<DavAddressBook> books = AddressBooksIn(content, "https://dav.example:8443/dav/");
    ASSERT_EQ(books.size(), 1U);
    EXPECT_EQ(books[0].url, "https://dav.example:8443/dav/home/work%20book/");
    EXPECT_EQ(books[0].displayName, "Work & Play");
    EXPECT_TRUE(books[0].vcard4);
    EXPECT_FALSE(books[0].syncTokens);
    EXPECT_EQ(SelfAddressBook(content, "https://dav.example:8443/dav/home/work%20book"), &content.responses[1]);
    EXPECT_EQ(SelfAddressBook(content, "https://dav.example:8443/dav/"), nullptr);
}

TEST(DavMultistatus, AnErrorBodyNamesItsPrecondition)
{
    EXPECT_TRUE(ErrorBodyNames("<D:error xmlns:D=\"DAV:\"><D:valid-sync-token/></D:error>", dav::ValidSyncToken));
    EXPECT_FALSE(ErrorBodyNames("<error xmlns=\"DAV:\"><need-privileges/></error>", dav::ValidSyncToken));
    EXPECT_FALSE(ErrorBodyNames("<!DOCTYPE e [<!ENTITY x 'y'>]><e><valid-sync-token/></e>", dav::ValidSyncToken));
    EXPECT_EQ(DavStatusCode("HTTP/1.1 507 Insufficient Storage"), 507);
    EXPECT_EQ(DavStatusCode(" HTTP/1.1  404"), 404);
    EXPECT_EQ(DavStatusCode("HTTP/1.1 20x OK"), 0);
    EXPECT_EQ(DavStatusCode(""), 0);
}
