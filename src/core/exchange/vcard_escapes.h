// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Splits at every separator that no backslash escapes; the escapes stay in the parts. A
// separator of '\0' gives the whole text as the one part. Splitting stops after limit + 1 parts,
// so a longer result tells that the text holds more than limit.
std::vector<std::string> SplitUnescaped(std::string_view text, char separator, std::size_t limit = SIZE_MAX);

// Undoes the 3.0 and 4.0 escapes: "\," "\;" "\\" and "\:" give the character, "\n" (either
// case) a line break (LF). A backslash before anything else stays.
std::string UnescapeValue(std::string text);

// Appends the value with "\", "," and ";" escaped and line breaks written as "\n".
void AppendEscapedValue(std::string& out, std::string_view text);

// Undoes the escapes of a 2.1 value: "\;", "\," and "\\" give the character; a backslash before
// anything else stays. Commas and quotes are ordinary characters in 2.1.
std::string UnescapeOldValue(std::string text);

// A 2.1 value as it is written between ";": each ";" as "\;", and a backslash doubled only where
// it would otherwise read as an escape (before "\", ";" or ",", or at the end of a value that
// another follows). Text without ";" and backslashes is written as it stands.
std::string EscapeOldValue(std::string_view text, bool followed);

// Appends a content line folded so that no line exceeds 75 octets: each continuation starts
// with one blank, and no UTF-8 sequence is cut. Every line ends with CR LF.
void AppendFoldedLine(std::string& out, std::string_view line);

} // namespace quillary
