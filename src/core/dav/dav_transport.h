// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillary {

// What went wrong with one request, as the sync needs to tell it apart: a wrong password asks
// again, a precondition that failed means another client wrote first, the rest end the run.
enum class DavFailure {
    None,
    Network,            // no connection, refused, timed out, or the server went away
    Authentication,     // 401 or 403 after the credentials were offered
    Certificate,        // TLS certificate not trusted; fingerprint says which one
    Insecure,           // plain http to a host other than loopback without the user's leave
    PreconditionFailed, // 412: the resource's ETag is no longer the one given
    NotFound,           // 404 or 410
    Server,             // any other status that is not a success
    Protocol,           // a reply that is not what the protocol says (bad XML, missing ETag...)
    Moved,              // redirected to another server: movedTo says where; the user confirms it
    TooLarge            // more than a reply may hold; a smaller request may pass
};

// The outcome of a request. message is for people: it names the URL and the HTTP status.
struct DavStatus
{
    DavFailure failure = DavFailure::None;
    int httpStatus = 0;
    std::string message;
    std::string fingerprint; // SHA-256 of the certificate, with Certificate
    std::string movedTo = {}; // the URL redirected to, with Moved
    bool Ok() const { return failure == DavFailure::None; }
};

// One address book found by discovery.
struct DavAddressBook
{
    std::string url; // absolute, ends in "/"
    std::string displayName;
    bool vcard4 = false;     // the server offers vCard 4.0 (supported-address-data)
    bool syncTokens = false; // the server answers sync-collection reports
};

// One card resource: its href (absolute path on the server), ETag (quotes included, as sent),
// and its body when it was fetched. A card larger than MaxCardBytes is not taken: refusal says
// so, and card holds its beginning, for its name.
struct DavResource
{
    std::string href;
    std::string etag;
    std::string card;
    std::string refusal = {};
};

struct DavChanges
{
    std::vector<DavResource> changed; // href and ETag; bodies are fetched with Multiget
    std::vector<std::string> removed; // hrefs
    std::string syncToken;
    bool tokenExpired = false; // the server no longer knows the token: start over with a full listing
};

// The requests of a CardDAV conversation with one server. Calls block until answered; the
// implementation keeps the connection and the credentials between calls.
class DavTransport
{
public:
    virtual ~DavTransport() = default;

    // From a plain server address (well-known URI, current-user-principal, addressbook-home-set)
    // or an address book's own URL: the address books the user has.
    virtual DavStatus FindAddressBooks(const std::string& url, std::vector<DavAddressBook>& books) = 0;
    // Makes an address book named displayName in the user's address book home; url receives it.
    virtual DavStatus MakeAddressBook(const std::string& serverUrl, const std::string& displayName,
                                      DavAddressBook& book) = 0;
    // Every card of the address book with its ETag (PROPFIND, Depth 1), and the current sync token
    // when the server has one.
    virtual DavStatus ListCards(const DavAddressBook& book, std::vector<DavResource>& cards,
                                std::string& syncToken) = 0;
    // What changed since syncToken (REPORT sync-collection); an empty token lists everything.
    // knownCards (the cards the last run knew) bounds what the changes may grow to over the rounds
    // of a server that truncates its answer; past it, or when the token is refused, the changes
    // say tokenExpired and a full listing follows.
    virtual DavStatus ChangesSince(const DavAddressBook& book, const std::string& syncToken, std::size_t knownCards,
                                   DavChanges& changes) = 0;
    // The bodies and ETags of the given hrefs (REPORT addressbook-multiget); hrefs the server no
    // longer has are left out of cards. TooLarge: the cards would be more than one reply may
    // bring, and fewer hrefs at a time may pass.
    virtual DavStatus FetchCards(const DavAddressBook& book, const std::vector<std::string>& hrefs,
                                 std::vector<DavResource>& cards) = 0;
    // Writes a card: with an empty ifMatch only when the href is new (If-None-Match: *), else only
    // when the resource still has that ETag. newEtag receives the ETag the server answers, or
    // stays empty when it sends none (the caller then fetches it).
    virtual DavStatus PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                              std::string& newEtag) = 0;
    // Deletes a card only when it still has that ETag.
    virtual DavStatus DeleteCard(const std::string& href, const std::string& ifMatch) = 0;
};

} // namespace quillary
