// SPDX-License-Identifier: GPL-3.0-or-later
// One address book, one state, whichever way its address is written; and a collection that is no
// address book named for what it is.
#include "support/fake_address_book.h"
#include "support/test_files.h"

#include "dav/address_book_answers.h"
#include "dav/url_parts.h"
#include "sync/sync_account_state.h"
#include "sync/sync_state.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
SyncState StateOf(const std::string& url, const std::string& salt)
{
    SyncState state;
    state.url = url;
    state.bookUrl = FakeAddressBook::Url;
    state.salt = salt;
    return state;
}
} // namespace

TEST(SyncBookState, EverySpellingOfABookHasOneCanonicalUrl)
{
    const std::string book = "https://dav.example/user/contacts/";
    for (const char* spelling :
         {"https://dav.example/user/contacts/", "https://dav.example/user/contacts", "HTTPS://DAV.Example/user/contacts/",
          "https://dav.example:443/user/contacts", "https://ann@dav.example/user/contacts/",
          "https://dav.example/user/%63ontacts/", "https://dav.example/%75ser/contacts?x=1#top"})
        EXPECT_EQ(CanonicalCollectionUrl(spelling), book) << spelling;
    const std::pair<const char*, const char*> kept[] = {
        {"http://dav.example:80/a%2fb", "http://dav.example/a%2Fb/"},
        {"http://dav.example:8080/a%7e%7E", "http://dav.example:8080/a~~/"},
        {"https://dav.example:80/", "https://dav.example:80/"},
        {"https://[::1]:443/book%20one", "https://[::1]/book%20one/"},
        {"https://dav.example", "https://dav.example/"},
        {"https://dav.example/100%", "https://dav.example/100%/"},
    };
    for (const auto& [spelling, canonical] : kept)
        EXPECT_EQ(CanonicalCollectionUrl(spelling), canonical) << spelling;
    for (const char* none : {"dav.example/user/", "mailto:ann@dav.example", ""})
        EXPECT_FALSE(CanonicalCollectionUrl(none)) << none;
}

// Each spelling leads to the state under the book's canonical URL. A state under the spelling
// (as earlier versions kept it) is moved there, but never over one that is there already.
TEST(SyncBookState, AStateIsFoundOrMovedOverUnderTheBooksUrl)
{
    struct Case
    {
        const char* given;
        const char* earlier; // a state kept under this spelling before the run; none: nullptr
        bool canonicalThere; // a state under the canonical URL already
        int discoveries;
        const char* salt; // the salt of the state found
    };
    const Case cases[] = {
        {"https://dav.example/user/contacts", "https://dav.example/user/contacts", false, 1, "earlier"},
        {"https://dav.example/", "https://dav.example/", false, 1, "earlier"},
        {"https://dav.example/", "https://dav.example/", true, 1, "canonical"},
        {"https://dav.example/user/", nullptr, true, 1, "canonical"},
        {"HTTPS://dav.example:443/user/%63ontacts", nullptr, true, 0, "canonical"},
        {"https://dav.example/user/contacts/", "https://dav.example/user/contacts/", false, 0, "earlier"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto data = dir / "zelk.dat";
        const auto canonical = SyncStatePath(data, FakeAddressBook::Url);
        if (c.earlier)
            SaveSyncState(SyncStatePath(data, c.earlier), StateOf(c.earlier, "earlier"));
        if (c.canonicalThere)
            SaveSyncState(canonical, StateOf(FakeAddressBook::Url, "canonical"));
        FakeAddressBook server;
        DavStatus status;
        const auto path = SyncStateOfBook(server, data, c.given, status);
        ASSERT_TRUE(path) << c.given << ": " << status.message;
        EXPECT_EQ(*path, canonical) << c.given;
        EXPECT_EQ(server.requests, c.discoveries) << c.given;
        EXPECT_EQ(LoadSyncState(*path)->salt, c.salt) << c.given;
        if (c.earlier && c.canonicalThere) {
            EXPECT_EQ(LoadSyncState(SyncStatePath(data, c.earlier))->salt, "earlier") << c.given;
        }
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(canonical.parent_path()))
            ++files;
        EXPECT_EQ(files, c.earlier && c.canonicalThere ? 2U : 1U) << c.given;
    }
}

TEST(SyncBookState, AFailedDiscoveryFindsNoState)
{
    TempDir dir;
    FakeAddressBook server;
    server.failAt = 1;
    DavStatus status;
    EXPECT_FALSE(SyncStateOfBook(server, dir / "zelk.dat", "https://dav.example/", status));
    EXPECT_EQ(status.failure, DavFailure::Network);
}

// What the address the user gave is, from its Depth 0 answer: only a collection of another kind
// than an address book is named; a principal or a plain collection leads on to the books.
TEST(SyncBookState, ACollectionOfAnotherKindIsNamed)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<d:collection/><cal:calendar/>", "a calendar"},
        {"<cal:schedule-inbox/><d:collection/>", "a scheduling inbox"},
        {"<d:collection/><x:news xmlns:x=\"urn:x\"/>", "a collection of the type {urn:x}news"},
        {"<d:collection/><card:addressbook/>", ""},
        {"<d:collection/><d:principal/>", ""},
        {"<d:collection/>", ""},
        {"", ""},
    };
    const std::string answered = "https://dav.example/user/work/";
    for (const auto& [types, kind] : cases) {
        const std::string body =
            "<d:multistatus xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\" "
            "xmlns:cal=\"urn:ietf:params:xml:ns:caldav\"><d:response><d:href>/user/work</d:href><d:propstat><d:prop>"
            "<d:resourcetype>" +
            types + "</d:resourcetype></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
                    "<d:response><d:href>/user/other/</d:href><d:propstat><d:prop><d:resourcetype><cal:calendar/>"
                    "</d:resourcetype></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
                    "</d:multistatus>";
        DavMultistatus content;
        ASSERT_EQ(ParseMultistatus(body, answered, StartProperties(), content), "") << types;
        EXPECT_EQ(OtherCollectionKind(content, answered), kind) << types;
    }
    EXPECT_EQ(NotAnAddressBook(answered, "a calendar", {{"https://dav.example/user/contacts/", "Contacts"}}),
              "https://dav.example/user/work/ is a calendar, not an address book; the address books found from it:\n"
              "  https://dav.example/user/contacts/ (Contacts)");
    EXPECT_EQ(NotAnAddressBook(answered, "a calendar", {}),
              "https://dav.example/user/work/ is a calendar, not an address book; no address book was found from it");
}
