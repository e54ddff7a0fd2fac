// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quillary {

// Text from items and users as it may stand in a page, in its text and in double-quoted
// attribute values alike: "&", "<", ">" and '"' become entities, so no title can open a tag or
// leave an attribute, and an anchor name and a link to it escape the same way. The result is
// UTF-8, as the pages declare: bytes outside well-formed UTF-8 (older files) are read as
// Windows-1252.
std::string EscapeHtml(std::string_view text);

// Writes the pieces as one line of a page, ended by CR LF.
void WriteHtmlLine(std::ostream& out, std::initializer_list<std::string_view> pieces);

} // namespace quillary
