// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// UTF-8, the text of every item, and the single-byte encodings older files arrive in.
void AppendUtf8(std::string& out, char32_t code);
// Well-formed UTF-8 only: no overlong forms, surrogates or code points above U+10FFFF.
bool IsUtf8(std::string_view text);
// The length of the well-formed UTF-8 sequence at pos, or 0 (overlong forms, surrogates and
// code points above U+10FFFF are not well-formed).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);
std::string Latin1ToUtf8(std::string_view bytes);
// The five bytes Windows-1252 leaves unassigned keep their Latin-1 meaning, so no byte is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 text as it stands, except that each byte outside well-formed UTF-8 is read as
// Windows-1252 (files edited with tools of both kinds mix them), so the result is UTF-8 and no
// byte is dropped.
std::string RepairUtf8(std::string_view text);
// UTF-16 in the given byte order; a lone surrogate or odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// How much of text ends on a whole character: a sequence cut short by the end of text is left
// out, so that text read in pieces is judged as it would be whole.
std::size_t Utf8WholeEnd(std::string_view text);

} // namespace quillary
