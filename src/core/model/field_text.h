// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

// Fields of a record line are separated by "~~" and nothing is escaped.
inline constexpr std::string_view FieldSeparator = "~~";

// Makes text safe to store in a record field: line breaks and character 26 become blanks,
// adjacent tildes are parted by a blank and a final tilde is followed by one, so the text
// can neither end a line nor move a field boundary when it is written and read again.
std::string CleanFieldText(std::string_view text);
bool IsCleanFieldText(std::string_view text);

// A whole line kept verbatim: only line breaks become blanks.
std::string CleanLineText(std::string_view text);

// Reads a number the lenient way of the record reader: leading blanks skipped, an optional
// sign and the decimal digits up to the first other character; nothing numeric gives 0.
// Values beyond 32 bits wrap, as the stored numbers are 32-bit.
std::int32_t ParseLenientInt(std::string_view text);

} // namespace quillary
