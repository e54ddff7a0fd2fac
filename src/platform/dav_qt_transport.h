// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/dav/dav_multistatus.h"
#include "core/dav/dav_transport.h"
#include "platform/dav_http.h"
#include "platform/dav_xml.h"

#include <QUrl>

#include <functional>

namespace quillary {

// The CardDAV conversation over Qt Network. Calls block in an event loop of their own, so the
// object works in quillary-cli (a QCoreApplication) and on a worker thread alike; it belongs to
// the thread that made it. Hrefs given as paths are requests to the server of the last address
// book, URL or absolute href this object was given. Replies are read as they arrive, one
// response at a time, and only what each call needs of them is kept.
class QtDavTransport : public DavTransport
{
public:
    explicit QtDavTransport(DavCredentials credentials, DavConnectionOptions options = {});

    // Lets a certificate the system does not trust pass, by the fingerprint a Certificate failure
    // reported, once the user has said it is the server's.
    void AcceptFingerprint(const std::string& fingerprint);
    // See DavHttp::AbortRequests.
    void AbortRequests() { m_http.AbortRequests(); }

    DavStatus FindAddressBooks(const std::string& url, std::vector<DavAddressBook>& books) override;
    DavStatus MakeAddressBook(const std::string& serverUrl, const std::string& displayName,
                              DavAddressBook& book) override;
    DavStatus ListCards(const DavAddressBook& book, std::vector<DavResource>& cards, std::string& syncToken) override;
    DavStatus ChangesSince(const DavAddressBook& book, const std::string& syncToken, std::size_t knownCards,
                           DavChanges& changes) override;
    DavStatus FetchCards(const DavAddressBook& book, const std::vector<std::string>& hrefs,
                         std::vector<DavResource>& cards) override;
    DavStatus PutCard(const std::string& href, const std::string& card, const std::string& ifMatch,
                      std::string& newEtag) override;
    DavStatus DeleteCard(const std::string& href, const std::string& ifMatch) override;

private:
    struct MultistatusReply
    {
        DavStatus status;
        QUrl url; // where it was answered
        std::string syncToken;
        QByteArray errorBody; // the beginning of a failed request's body, for its precondition
    };
    // Each entry of the reply goes to read, which may refuse the reply with a problem.
    using ResponseRead = std::function<std::string(DavResponse& response)>;

    MultistatusReply Multistatus(const QByteArray& verb, const QUrl& url, int depth, const QByteArray& body,
                                 const std::vector<DavName>& wanted, const ResponseRead& read,
                                 const std::function<void(MultistatusReader&)>& prepare = {});
    MultistatusReply Propfind(const QUrl& url, int depth, const std::vector<DavName>& properties,
                              DavMultistatus& content);
    // home: where the user's address books are; book: the one url names, when it names one; kind:
    // what url is when it is a collection of another kind (OtherCollectionKind).
    DavStatus FindHome(const QUrl& url, QUrl& home, DavAddressBook* book, std::string* kind);
    DavStatus DescribeAddressBook(const QUrl& url, DavAddressBook& book);
    DavStatus FindHomeFrom(const MultistatusReply& reply, const DavMultistatus& content, QUrl& home);
    DavStatus ListAddressBooks(const QUrl& home, std::vector<DavAddressBook>& books);
    static bool TokenRefused(const MultistatusReply& reply);
    bool UseUrl(const std::string& text, QUrl& url, DavStatus& status);
    bool CardUrl(const std::string& href, QUrl& url, DavStatus& status);

    DavHttp m_http;
    QUrl m_server;
};

} // namespace quillary
