// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_book.h"

#include "dav/address_book_answers.h"
#include "dav/url_parts.h"

#include <vector>

namespace quillary {

DavStatus FindSyncBook(DavTransport& transport, const std::string& url, DavAddressBook& book)
{
    std::vector<DavAddressBook> books;
    const DavStatus status = transport.FindAddressBooks(url, books);
    if (!status.Ok())
        return status;
    const DavAddressBook* chosen = books.size() == 1 ? &books.front() : nullptr;
    const std::optional<std::string> given = CanonicalCollectionUrl(url);
    for (const DavAddressBook& found : books)
        if (given && CanonicalCollectionUrl(found.url) == given)
            chosen = &found;
    if (!chosen)
        return {DavFailure::NotFound,
                0,
                books.empty() ? url + " holds no address book"
                              : url + " holds several address books; name one with its own URL:" + BookList(books),
                {}};
    book = *chosen;
    return status;
}

} // namespace quillary
