// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace quillary {

// The character encoding of another program's text file (delimited text, vCards). Auto is a
// request to recognise it; the other values are what a file is read as.
enum class TextEncoding { Auto, Utf8, Utf16, Cp1252 };

inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16LeMark = "\xFF\xFE";
inline constexpr std::string_view Utf16BeMark = "\xFE\xFF";

// The encoding a byte order mark at the front of bytes names; Auto without one.
TextEncoding MarkedEncoding(std::string_view bytes);

// A byte order mark decides UTF-8 or UTF-16 (either byte order); without one, bytes that are
// valid UTF-8 are UTF-8 and anything else is taken for Windows-1252, as older exports write it.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The file's text as UTF-8 without a byte order mark. Auto detects first. UTF-16 follows its
// byte order mark and is little-endian without one; a lone surrogate or odd last byte becomes
// U+FFFD. UTF-8 is taken as it stands, but a stray byte that is not UTF-8 is read as
// Windows-1252. Windows-1252 maps its five unassigned bytes to the C1 control characters of the
// same codes, so no byte is lost.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// DecodeText for bytes that are no longer needed: text that is already valid UTF-8 without a mark
// is taken over as it stands, neither copied nor checked twice. Auto becomes what was detected.
std::string TakeDecodedText(std::string bytes, TextEncoding& encoding);

// Every byte of the stream. Throws FileError (with no path) when the stream fails other than by
// ending.
std::string ReadStreamBytes(std::istream& in);

} // namespace quillary
