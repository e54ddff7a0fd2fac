// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a server's answer to discovery: every address book and home it names lies on
// the server that answered, an address book's URL ends in "/", and what is held stays
// proportional to the answer.
#include "dav/address_book_answers.h"
#include "dav/url_parts.h"

#include "memory_bound.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillary;
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const std::string answered = "https://dav.example:8443/dav/";
    const fuzz::MemoryBound bound;
    for (const auto* properties : {&StartProperties(), &HomeSetProperties(), &AddressBookProperties()}) {
        DavMultistatus content;
        if (!ParseMultistatus(answer, answered, *properties, content).empty())
            continue;
        for (const DavAddressBook& book : AddressBooksIn(content, answered))
            if (!SameOrigin(book.url, answered) || !book.url.ends_with('/'))
                __builtin_trap();
        SelfAddressBook(content, answered);
        OtherCollectionKind(content, answered);
        for (const DavResponse& response : content.responses)
            for (const DavName& name : {dav::AddressBookHomeSet, dav::CurrentUserPrincipal})
                if (const auto url = PropertyHrefUrl(response, name, answered); url && !SameOrigin(*url, answered))
                    __builtin_trap();
    }
    bound.Check(size, 16, 1 << 20);
    return 0;
}
