// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_encoding.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace quillary {

// Recognises a file's encoding from its bytes given piece by piece, with the result
// DetectTextEncoding gives for all of them at once; a file of contacts need not be held whole.
class TextEncodingDetector
{
public:
    // Looks at the front of bytes and returns how much it took; the rest (the start of a
    // character cut by the end of the piece) must come again at the front of the next piece.
    // last says nothing follows, and then everything is taken.
    std::size_t Feed(std::string_view bytes, bool last);
    TextEncoding Result() const;

private:
    bool m_started = false;
    TextEncoding m_marked = TextEncoding::Auto; // named by a byte order mark
    bool m_valid = true;                         // UTF-8 so far
};

// The encoding of a stream's bytes from where it stands to its end, read in pieces as above.
// Throws FileError (with no path) when the stream fails other than by ending.
TextEncoding DetectStreamEncoding(std::istream& in);

// Decodes a file's bytes given piece by piece into the text DecodeText makes of them all at once.
class TextDecoder
{
public:
    // encoding as detection found it for these bytes (not Auto).
    explicit TextDecoder(TextEncoding encoding);

    // Appends the text of the front of bytes to out and returns how many bytes that was, as
    // TextEncodingDetector::Feed does.
    std::size_t Decode(std::string_view bytes, std::string& out, bool last);

private:
    // Passes over a byte order mark at the front and returns its size.
    std::size_t TakeMark(std::string_view bytes);

    TextEncoding m_encoding;
    bool m_started = false;
    bool m_marked = false;
    bool m_bigEndian = false;
};

} // namespace quillary
