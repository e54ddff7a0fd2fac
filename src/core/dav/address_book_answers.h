// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_multistatus.h"
#include "dav/dav_transport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// What discovery asks of a collection, and besides of the address the user gave.
const std::vector<DavName>& AddressBookProperties();
const std::vector<DavName>& DiscoveryProperties();

bool IsAddressBook(const DavResponse& response);

// The address book a response names, on the server of the URL that answered (answeredUrl): a
// href to another server is a path on this one, as every href is.
DavAddressBook AddressBookOf(const DavResponse& response, std::string_view answeredUrl);

// The address books among a listing's responses.
std::vector<DavAddressBook> AddressBooksIn(const DavMultistatus& multistatus, std::string_view answeredUrl);

// The response about the answered URL itself, when that is an address book.
const DavResponse* SelfAddressBook(const DavMultistatus& multistatus, std::string_view answeredUrl);

// The first href of a property such as current-user-principal, as a URL on the server that
// answered; none when the property holds none.
std::optional<std::string> PropertyHrefUrl(const DavResponse& response, const DavName& name,
                                           std::string_view answeredUrl);

} // namespace quillary
