// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

inline constexpr char DavNamespace[] = "DAV:";
inline constexpr char CardDavNamespace[] = "urn:ietf:params:xml:ns:carddav";
inline constexpr char CalDavNamespace[] = "urn:ietf:params:xml:ns:caldav";
inline constexpr char CalendarServerNamespace[] = "http://calendarserver.org/ns/";

// An element name with its namespace, whatever prefix the server chose for it.
struct DavName
{
    const char* space;
    const char* local;
    // "{space}local", the form names are compared in.
    std::string Key() const { return std::string("{") + space + "}" + local; }
};

namespace dav {
inline constexpr DavName Multistatus{DavNamespace, "multistatus"};
inline constexpr DavName Response{DavNamespace, "response"};
inline constexpr DavName Propstat{DavNamespace, "propstat"};
inline constexpr DavName Prop{DavNamespace, "prop"};
inline constexpr DavName Status{DavNamespace, "status"};
inline constexpr DavName Href{DavNamespace, "href"};
inline constexpr DavName ResourceType{DavNamespace, "resourcetype"};
inline constexpr DavName Collection{DavNamespace, "collection"};
inline constexpr DavName DisplayName{DavNamespace, "displayname"};
inline constexpr DavName GetEtag{DavNamespace, "getetag"};
inline constexpr DavName GetContentType{DavNamespace, "getcontenttype"};
inline constexpr DavName SyncToken{DavNamespace, "sync-token"};
inline constexpr DavName SyncCollection{DavNamespace, "sync-collection"};
inline constexpr DavName SupportedReportSet{DavNamespace, "supported-report-set"};
inline constexpr DavName Principal{DavNamespace, "principal"};
inline constexpr DavName CurrentUserPrincipal{DavNamespace, "current-user-principal"};
inline constexpr DavName ValidSyncToken{DavNamespace, "valid-sync-token"};
inline constexpr DavName AddressBook{CardDavNamespace, "addressbook"};
inline constexpr DavName AddressBookHomeSet{CardDavNamespace, "addressbook-home-set"};
inline constexpr DavName SupportedAddressData{CardDavNamespace, "supported-address-data"};
inline constexpr DavName AddressData{CardDavNamespace, "address-data"};
inline constexpr DavName GetCtag{CalendarServerNamespace, "getctag"};
} // namespace dav

} // namespace quillary
