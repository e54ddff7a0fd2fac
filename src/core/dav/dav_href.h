// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// Servers write the same member as "/book/a%40b.vcf", "/book/a@b.vcf" or
// "https://host/book/a%40b.vcf". Hrefs are kept in one form: the absolute path (whatever host a
// href names, it is a path on the server that sent it), each segment percent-decoded and encoded
// again by one rule (only what a path segment cannot hold is encoded), dot segments resolved, so
// a href read from a listing matches the one written by a PUT. None when the href is no
// reference (a scheme without "//", such as "https:2/x").
std::optional<std::string> CanonicalHref(std::string_view href, std::string_view baseUrl);

// The same path with or without its closing slash: how a collection names itself in a listing.
bool SameCollectionPath(std::string_view left, std::string_view right);

// The path of an absolute URL ("/" when it has none), without its query or fragment.
std::string_view UrlPath(std::string_view url);

} // namespace quillary
