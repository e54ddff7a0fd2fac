// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// An absolute URL of the form scheme://[user[:password]@]host[:port][/path][?query][#fragment], in
// its parts as written (nothing decoded).
struct UrlParts
{
    std::string scheme; // lower case
    std::string user;
    std::string password;
    bool hasUserInfo = false;
    bool hasPassword = false;
    std::string host; // lower case; an IPv6 address keeps its brackets
    std::string port;
    std::string path; // "/" when none is written
    std::string rest; // the query and fragment, with their "?" or "#"

    // "scheme://host[:port]": where requests go, and whom credentials are for.
    std::string Origin() const;
    // The URL again without its user information.
    std::string WithoutUserInfo() const;
};

// The parts of an absolute URL with an authority; none for anything else.
std::optional<UrlParts> ParseUrl(std::string_view url);

// "%40" and the like made the bytes they stand for; a "%" that begins no such pair stays.
std::string PercentDecoded(std::string_view text);

// One spelling for every way of writing a collection's URL: scheme and host in lower case, the
// scheme's own port dropped, no user information, query or fragment, percent-encoding with upper
// case digits and unreserved characters decoded, the path ending in "/". None for anything that is
// no absolute URL.
std::optional<std::string> CanonicalCollectionUrl(std::string_view url);

// Whether two URLs name the same server: scheme, host and port, the scheme's own port when none
// is written. False when either is no absolute URL.
bool SameOrigin(std::string_view left, std::string_view right);

// The length of the scheme and its ":" that a reference begins with, or 0.
std::size_t UrlSchemeLength(std::string_view reference);

} // namespace quillary
