// SPDX-License-Identifier: GPL-3.0-or-later
// An address book in memory behind the CardDAV transport interface: ETags, sync tokens, 412s,
// and a failure at the Nth request, so synchronisation runs can be cut off anywhere.
#pragma once

#include "dav/dav_transport.h"
#include "sync/card_budget.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillary::test {

class FakeAddressBook final : public DavTransport
{
public:
    static constexpr const char* Url = "https://dav.example/user/contacts/";
    static constexpr const char* Path = "/user/contacts/";

    bool vcard4 = true;
    bool syncTokens = true;
    bool sendEtags = true;
    int requests = 0;
    int failAt = 0;             // the request (counted from 1) that fails as a lost connection; 0: none
    int expireTokensBefore = 0; // tokens older than this change count are forgotten
    DavStatus tokenRefusal;     // when a failure: what every sync-collection report is answered with
    std::size_t maxFetch = 0;   // a multiget of more hrefs is more than a reply may bring; 0: any
    // The changes since a token are what differs between then and now, as Xandikos tells them: a
    // card made and deleted since is left out.
    bool netChanges = false;
    // Runs before a PUT or DELETE is answered: another client writing in between.
    std::function<void(const std::string& href)> beforeWrite;

    // The server's side, as another client sees it.
    void Write(const std::string& href, const std::string& card)
    {
        m_cards[href] = {href, "\"e" + std::to_string(++m_counter) + "\"", card};
        m_log.push_back({m_counter, href, true});
    }
    void Remove(const std::string& href)
    {
        m_cards.erase(href);
        m_log.push_back({++m_counter, href, false});
    }
    const std::map<std::string, DavResource>& Cards() const { return m_cards; }

    DavStatus FindAddressBooks(const std::string&, std::vector<DavAddressBook>& books) override
    {
        if (Failing())
            return Lost();
        books = {{Url, "Contacts", vcard4, syncTokens}};
        return {};
    }
    DavStatus MakeAddressBook(const std::string&, const std::string&, DavAddressBook&) override
    {
        return {DavFailure::Server, 405, "not here", {}};
    }
    DavStatus ListCards(const DavAddressBook&, std::vector<DavResource>& cards, std::string& token) override
    {
        if (Failing())
            return Lost();
        for (const auto& [href, card] : m_cards)
            cards.push_back({href, card.etag, {}});
        token = syncTokens ? Token() : std::string();
        return {};
    }
    DavStatus ChangesSince(const DavAddressBook&, const std::string& token, std::size_t, DavChanges& changes) override
    {
        if (Failing())
            return Lost();
        if (!tokenRefusal.Ok())
            return tokenRefusal;
        const int since = token.empty() ? 0 : std::stoi(token.substr(1));
        if (since < expireTokensBefore) {
            changes.tokenExpired = true;
            return {};
        }
        std::map<std::string, bool> touched;
        std::set<std::string> then; // the cards held at the token
        for (const Logged& logged : m_log) {
            if (logged.count > since)
                touched[logged.href] = m_cards.count(logged.href) != 0;
            else if (logged.present)
                then.insert(logged.href);
            else
                then.erase(logged.href);
        }
        for (const auto& [href, present] : touched) {
            if (present)
                changes.changed.push_back({href, m_cards.at(href).etag, {}});
            else if (!netChanges || then.count(href) != 0)
                changes.removed.push_back(href);
        }
        changes.syncToken = Token();
        return {};
    }
    DavStatus FetchCards(const DavAddressBook&, const std::vector<std::string>& hrefs,
                         std::vector<DavResource>& cards) override
    {
        if (Failing())
            return Lost();
        if (maxFetch != 0 && hrefs.size() > maxFetch)
            return {DavFailure::TooLarge, 0, std::string(Url) + ": the reply is too large", {}};
        for (const std::string& href : hrefs)
            if (const auto it = m_cards.find(href); it != m_cards.end()) {
                cards.push_back(it->second);
                // As the transport reads a card over the budget: its beginning, refused.
                if (cards.back().card.size() > MaxCardBytes) {
                    cards.back().card.resize(64 * 1024);
                    cards.back().refusal = CardTooLargeReason();
                }
            }
        return {};
    }
    DavStatus PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                      std::string& newEtag) override
    {
        if (Failing())
            return Lost();
        if (beforeWrite)
            beforeWrite(href);
        const auto it = m_cards.find(href);
        if (ifMatch.empty() ? it != m_cards.end() : it == m_cards.end() || it->second.etag != ifMatch)
            return {DavFailure::PreconditionFailed, 412, "412 Precondition Failed for " + href, {}};
        Write(href, card);
        newEtag = sendEtags ? m_cards.at(href).etag : std::string();
        return {};
    }
    DavStatus DeleteCard(const std::string& href, const std::string& ifMatch) override
    {
        if (Failing())
            return Lost();
        if (beforeWrite)
            beforeWrite(href);
        const auto it = m_cards.find(href);
        if (it == m_cards.end())
            return {DavFailure::NotFound, 404, "404 Not Found for " + href, {}};
        if (it->second.etag != ifMatch)
            return {DavFailure::PreconditionFailed, 412, "412 Precondition Failed for " + href, {}};
        Remove(href);
        return {};
    }

    static DavStatus Lost() { return {DavFailure::Network, 0, std::string(Url) + ": connection lost", {}}; }

private:
    bool Failing() { return ++requests == failAt; }
    std::string Token() const { return "t" + std::to_string(m_counter); }

    // A write (present) or delete, by the change count after it.
    struct Logged
    {
        int count = 0;
        std::string href;
        bool present = false;
    };

    std::map<std::string, DavResource> m_cards;
    std::vector<Logged> m_log;
    int m_counter = 0;
};

} // namespace quillary::test
