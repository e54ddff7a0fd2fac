// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamAttributes>

#include <map>
#include <vector>

namespace quillary {

inline constexpr char DavNamespace[] = "DAV:";
inline constexpr char CardDavNamespace[] = "urn:ietf:params:xml:ns:carddav";
inline constexpr char CalendarServerNamespace[] = "http://calendarserver.org/ns/";

// An element name with its namespace, whatever prefix the server chose for it.
struct DavName
{
    const char* space;
    const char* local;
    QString Key() const;
};

namespace dav {
inline constexpr DavName Href{DavNamespace, "href"};
inline constexpr DavName ResourceType{DavNamespace, "resourcetype"};
inline constexpr DavName Collection{DavNamespace, "collection"};
inline constexpr DavName DisplayName{DavNamespace, "displayname"};
inline constexpr DavName GetEtag{DavNamespace, "getetag"};
inline constexpr DavName GetContentType{DavNamespace, "getcontenttype"};
inline constexpr DavName SyncToken{DavNamespace, "sync-token"};
inline constexpr DavName SyncCollection{DavNamespace, "sync-collection"};
inline constexpr DavName SupportedReportSet{DavNamespace, "supported-report-set"};
inline constexpr DavName CurrentUserPrincipal{DavNamespace, "current-user-principal"};
inline constexpr DavName ValidSyncToken{DavNamespace, "valid-sync-token"};
inline constexpr DavName AddressBook{CardDavNamespace, "addressbook"};
inline constexpr DavName AddressBookHomeSet{CardDavNamespace, "addressbook-home-set"};
inline constexpr DavName SupportedAddressData{CardDavNamespace, "supported-address-data"};
inline constexpr DavName AddressData{CardDavNamespace, "address-data"};
inline constexpr DavName GetCtag{CalendarServerNamespace, "getctag"};
} // namespace dav

// Bounds on what a reply may make us hold, whatever the server sends.
inline constexpr qint64 MaxDavReplyBytes = 256LL * 1024 * 1024;
inline constexpr int MaxDavEntries = 500000;

// An element inside a property, with its attributes (address-data-type has its version there).
struct DavXmlElement
{
    QString key;
    QXmlStreamAttributes attributes;
};

// One property of a multistatus response, as the propstat that held it says.
struct DavProperty
{
    int status = 200;
    QString text;                           // its text, trimmed (an ETag, a name, a card)
    QStringList hrefs;                      // the DAV:href inside it, canonical
    std::vector<DavXmlElement> descendants; // every element inside it
    bool Ok() const { return status >= 200 && status < 300; }
    bool Holds(const DavName& name) const;
};

// One DAV:response: its href and either a status of its own (a removed member) or properties.
struct DavResponse
{
    QString href; // canonical
    int status = 0;
    std::map<QString, DavProperty> properties;
    // The property when the server answered it with a success, else nullptr.
    const DavProperty* Found(const DavName& name) const;
};

struct DavMultistatus
{
    std::vector<DavResponse> responses;
    QString syncToken;
};

// The request bodies, namespaces declared once at the root.
QByteArray PropfindBody(const QList<DavName>& properties);
QByteArray SyncCollectionBody(const QString& syncToken, const QList<DavName>& properties);
QByteArray MultigetBody(const QStringList& hrefs, const QList<DavName>& properties);
QByteArray MakeAddressBookBody(const QString& displayName);

// Reads a 207 body; hrefs are made canonical against base. Returns an empty string when the
// body was read, else what was wrong with it. Document type declarations are refused (no entity
// is ever expanded) and at most MaxDavEntries responses are read.
QString ParseMultistatus(const QByteArray& body, const QUrl& base, DavMultistatus& multistatus);

// Whether an error body (RFC 4918's DAV:error) names the given precondition.
bool ErrorBodyNames(const QByteArray& body, const DavName& condition);

} // namespace quillary
