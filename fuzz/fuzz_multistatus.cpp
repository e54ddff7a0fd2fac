// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a server's multistatus reply in the pieces the network may cut it into (the
// first byte says where), and as an error body: the reader ends with the reply read or refused,
// every href it hands on is canonical (reading it again gives itself), and what it holds stays
// proportional to the reply.
#include "dav/dav_href.h"
#include "dav/dav_multistatus.h"

#include "memory_bound.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quillary;
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 97;
    const std::string_view reply(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string base = "https://dav.example/dav/book/";
    const fuzz::MemoryBound bound;
    std::size_t entries = 0;
    {
        MultistatusReader reader(base,
                                 {dav::ResourceType, dav::GetEtag, dav::GetContentType, dav::SyncToken,
                                  dav::DisplayName, dav::SupportedAddressData, dav::CurrentUserPrincipal},
                                 [&](DavResponse& response) {
                                     if (CanonicalHref(response.href, base) != response.href)
                                         __builtin_trap();
                                     for (const auto& [key, property] : response.properties)
                                         for (const std::string& href : property.hrefs)
                                             if (CanonicalHref(href, base) != href)
                                                 __builtin_trap();
                                     ++entries;
                                     return std::string();
                                 });
        reader.KeepOversized(dav::AddressData, 4096);
        bool fed = true;
        for (std::size_t at = 0; fed && at < reply.size(); at += piece)
            fed = reader.Feed(reply.substr(at, piece));
        if (fed && !reader.Finish() && reader.Problem().empty())
            __builtin_trap();
        if (!fed && reader.Problem().empty())
            __builtin_trap();
    }
    ErrorBodyNames(reply, dav::ValidSyncToken);
    bound.Check(reply.size(), 16, 1 << 20);
    if (entries > MaxDavEntries)
        __builtin_trap();
    return 0;
}
