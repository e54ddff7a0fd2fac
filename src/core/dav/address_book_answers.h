// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_multistatus.h"
#include "dav/dav_transport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// What each step of discovery asks: of the address the user gave (what it is, whose it is), of
// the principal (where the address books are), of an address book or the home's members.
const std::vector<DavName>& StartProperties();
const std::vector<DavName>& HomeSetProperties();
const std::vector<DavName>& AddressBookProperties();

bool IsAddressBook(const DavResponse& response);

// The address book a response names, on the server of the URL that answered (answeredUrl): a
// href to another server is a path on this one, as every href is.
DavAddressBook AddressBookOf(const DavResponse& response, std::string_view answeredUrl);

// The address books among a listing's responses.
std::vector<DavAddressBook> AddressBooksIn(const DavMultistatus& multistatus, std::string_view answeredUrl);

// The response about the answered URL itself, when that is an address book.
const DavResponse* SelfAddressBook(const DavMultistatus& multistatus, std::string_view answeredUrl);

// What the answered URL is when it is a collection of another kind than an address book, as
// messages name it ("a calendar"); empty for an address book, a plain collection or a principal,
// which lead on to the user's address books.
std::string OtherCollectionKind(const DavMultistatus& multistatus, std::string_view answeredUrl);

// "url is a calendar, not an address book", and the address books found from it.
std::string NotAnAddressBook(std::string_view url, std::string_view kind, const std::vector<DavAddressBook>& books);

// The books, each on a line of its own: "\n  url (display name)".
std::string BookList(const std::vector<DavAddressBook>& books);

// The first href of a property such as current-user-principal, as a URL on the server that
// answered; none when the property holds none.
std::optional<std::string> PropertyHrefUrl(const DavResponse& response, const DavName& name,
                                           std::string_view answeredUrl);

} // namespace quillary
