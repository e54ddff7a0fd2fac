// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// The bytes of a quoted-printable text: each "=" with two hex digits becomes that byte; any
// other "=" stays as it is.
std::string DecodeQuotedPrintable(std::string_view text);

// Decoded bytes as UTF-8, read in the named character set (any case): ISO-8859-1 and
// Windows-1252 are converted; under any other name, or none, they are read as UTF-8 with stray
// bytes taken for Windows-1252, so the result is always UTF-8.
std::string CharsetToUtf8(std::string_view text, std::string_view charset);

// Each line break (CR LF, CR or LF) as one LF.
std::string NormalizedLineBreaks(std::string_view text);

// Text as quoted-printable for a 2.1 value: "=", control characters, bytes beyond ASCII and a
// final blank as "=" and two hex digits, each LF as a CR LF ("=0D=0A"); everything else, ";"
// and "\" included, as it stands.
std::string EncodeQuotedPrintable(std::string_view text);

} // namespace quillary
