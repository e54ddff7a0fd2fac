// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <string>

namespace quillary {

// The address book url leads to, by discovery: the one book found there, or among several the one
// whose URL it is. A failure names the books found when there is no one to take.
DavStatus FindSyncBook(DavTransport& transport, const std::string& url, DavAddressBook& book);

} // namespace quillary
