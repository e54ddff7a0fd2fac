// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// The schemes IsURL accepts, given in lower case without ":": http, https, ftp, mailto, and the
// older wais, news, gopher and telnet.
bool IsWebScheme(std::string_view scheme);

// Whether text starts with a web scheme and a colon and is longer than a bare scheme.
bool IsURL(std::string_view text);

// The scheme of a link as a browser reads it, in lower case, or none for a relative link.
// Browsers drop blanks and control characters around a link and every tab and line break inside
// it, so "  java\tscript:" is a "javascript" link. A drive letter ("C:") counts as a scheme too.
std::optional<std::string> LinkScheme(std::string_view link);

// Why a link must never become a live link (opened, published, imported as a website): a scheme
// other than the web's ("javascript:", "data:", "file:" ...), or a "mailto:" link whose addresses
// are not plain (MailAddressProblem) or that asks for more than addresses, a subject and a body
// (such as "attach"). None for a harmless link; a relative link is harmless.
std::optional<std::string> LinkProblem(std::string_view link);

// Whether a website's address may be opened in the browser: IsURL accepts it and it has no
// problem.
bool IsOpenableLink(std::string_view link);

// The message that refuses to open link, naming it (shortened when it is long).
std::string RefusedLinkMessage(std::string_view link);

} // namespace quillary
