// SPDX-License-Identifier: GPL-3.0-or-later
// What the answers of discovery say: which collections are address books, what they offer, and
// where the user's home and principal are.
#include "dav/address_book_answers.h"

#include "dav/dav_href.h"
#include "dav/url_parts.h"

namespace quillary {

namespace {
// No supported-address-data means vCard 3.0 only (RFC 6352, 6.2.2). Servers name the element
// inside differently, so any element with the version counts.
bool OffersVCard4(const DavResponse& response)
{
    const DavProperty* data = response.Found(dav::SupportedAddressData);
    if (data == nullptr)
        return false;
    for (const DavXmlElement& element : data->descendants) {
        std::string_view version = element.Attribute("version");
        while (!version.empty() && version.front() == ' ')
            version.remove_prefix(1);
        while (!version.empty() && version.back() == ' ')
            version.remove_suffix(1);
        if (version == "4.0")
            return true;
    }
    return false;
}

// The collection kinds a user may mistake for an address book, as messages name them.
std::string KindName(const std::string& key)
{
    static const std::pair<DavName, const char*> known[] = {
        {{CalDavNamespace, "calendar"}, "a calendar"},
        {{CalDavNamespace, "schedule-inbox"}, "a scheduling inbox"},
        {{CalDavNamespace, "schedule-outbox"}, "a scheduling outbox"},
        {{CalendarServerNamespace, "subscribed"}, "a subscribed calendar"},
    };
    for (const auto& [name, text] : known)
        if (name.Key() == key)
            return text;
    return "a collection of the type " + key;
}

std::string OnServer(std::string_view path, std::string_view answeredUrl)
{
    const std::optional<UrlParts> parts = ParseUrl(answeredUrl);
    return (parts ? parts->Origin() : std::string()) + std::string(path);
}
} // namespace

const std::vector<DavName>& AddressBookProperties()
{
    static const std::vector<DavName> properties{dav::ResourceType, dav::DisplayName, dav::SupportedAddressData,
                                                 dav::SupportedReportSet, dav::SyncToken};
    return properties;
}

const std::vector<DavName>& StartProperties()
{
    static const std::vector<DavName> properties{dav::ResourceType, dav::CurrentUserPrincipal};
    return properties;
}

const std::vector<DavName>& HomeSetProperties()
{
    static const std::vector<DavName> properties{dav::AddressBookHomeSet};
    return properties;
}

bool IsAddressBook(const DavResponse& response)
{
    const DavProperty* type = response.Found(dav::ResourceType);
    return response.status < 300 && type != nullptr && type->Holds(dav::AddressBook);
}

DavAddressBook AddressBookOf(const DavResponse& response, std::string_view answeredUrl)
{
    std::string url = OnServer(response.href, answeredUrl);
    if (!url.ends_with('/'))
        url += '/';
    const DavProperty* name = response.Found(dav::DisplayName);
    const DavProperty* reports = response.Found(dav::SupportedReportSet);
    return {url, name != nullptr ? name->text : std::string(), OffersVCard4(response),
            (reports != nullptr && reports->Holds(dav::SyncCollection)) || response.Found(dav::SyncToken) != nullptr};
}

std::vector<DavAddressBook> AddressBooksIn(const DavMultistatus& multistatus, std::string_view answeredUrl)
{
    std::vector<DavAddressBook> books;
    for (const DavResponse& response : multistatus.responses)
        if (IsAddressBook(response))
            books.push_back(AddressBookOf(response, answeredUrl));
    return books;
}

const DavResponse* SelfAddressBook(const DavMultistatus& multistatus, std::string_view answeredUrl)
{
    const std::string self = CanonicalHref("", answeredUrl).value_or("/");
    for (const DavResponse& response : multistatus.responses)
        if (IsAddressBook(response) && SameCollectionPath(response.href, self))
            return &response;
    return nullptr;
}

std::string OtherCollectionKind(const DavMultistatus& multistatus, std::string_view answeredUrl)
{
    const std::string self = CanonicalHref("", answeredUrl).value_or("/");
    for (const DavResponse& response : multistatus.responses) {
        const DavProperty* type = response.Found(dav::ResourceType);
        if (response.status >= 300 || type == nullptr || !SameCollectionPath(response.href, self) ||
            type->Holds(dav::AddressBook))
            continue;
        for (const DavXmlElement& element : type->descendants)
            if (element.key != dav::Collection.Key() && element.key != dav::Principal.Key())
                return KindName(element.key);
    }
    return {};
}

std::string BookList(const std::vector<DavAddressBook>& books)
{
    std::string list;
    for (const DavAddressBook& book : books)
        list += "\n  " + book.url + (book.displayName.empty() ? "" : " (" + book.displayName + ")");
    return list;
}

std::string NotAnAddressBook(std::string_view url, std::string_view kind, const std::vector<DavAddressBook>& books)
{
    std::string message = std::string(url) + " is " + std::string(kind) + ", not an address book; ";
    if (books.empty())
        return message + "no address book was found from it";
    return message + "the address books found from it:" + BookList(books);
}

std::optional<std::string> PropertyHrefUrl(const DavResponse& response, const DavName& name,
                                           std::string_view answeredUrl)
{
    const DavProperty* property = response.Found(name);
    if (property == nullptr || property->hrefs.empty())
        return std::nullopt;
    return OnServer(property->hrefs.front(), answeredUrl);
}

} // namespace quillary
