// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_decoder.h"

#include "common/byte_pieces.h"
#include "common/utf8_text.h"

namespace quillary {

namespace {
// The longest byte order mark; fewer bytes than this cannot tell whether a file starts with one.
constexpr std::size_t MarkBytes = Utf8Mark.size();

// How much of a UTF-16 piece can be decoded now: whole units, and a leading surrogate only with
// the unit after it.
std::size_t Utf16WholeEnd(std::string_view bytes, bool bigEndian)
{
    std::size_t end = bytes.size() & ~std::size_t{1};
    if (end >= 2) {
        const auto high = static_cast<unsigned char>(bytes[end - (bigEndian ? 2 : 1)]);
        if (high >= 0xD8 && high < 0xDC)
            end -= 2;
    }
    return end;
}
} // namespace

std::size_t TextEncodingDetector::Feed(std::string_view bytes, bool last)
{
    if (!m_started) {
        if (bytes.size() < MarkBytes && !last)
            return 0;
        m_started = true;
        m_marked = MarkedEncoding(bytes);
    }
    if (m_marked != TextEncoding::Auto || !m_valid)
        return bytes.size();
    const std::size_t whole = last ? bytes.size() : Utf8WholeEnd(bytes);
    m_valid = IsUtf8(bytes.substr(0, whole));
    return whole;
}

TextEncoding TextEncodingDetector::Result() const
{
    if (m_marked != TextEncoding::Auto)
        return m_marked;
    return m_valid ? TextEncoding::Utf8 : TextEncoding::Cp1252;
}

TextEncoding DetectStreamEncoding(std::istream& in)
{
    TextEncodingDetector detector;
    for (BytePieces pieces(in); pieces.Next();)
        pieces.Take(detector.Feed(pieces.Bytes(), pieces.Last()));
    return detector.Result();
}

TextDecoder::TextDecoder(TextEncoding encoding) : m_encoding(encoding) {}

std::size_t TextDecoder::TakeMark(std::string_view bytes)
{
    m_started = true;
    if (m_encoding == TextEncoding::Utf16) {
        m_bigEndian = bytes.starts_with(Utf16BeMark);
        m_marked = m_bigEndian || bytes.starts_with(Utf16LeMark);
        return m_marked ? Utf16LeMark.size() : 0;
    }
    m_marked = m_encoding == TextEncoding::Utf8 && bytes.starts_with(Utf8Mark);
    return m_marked ? Utf8Mark.size() : 0;
}

std::size_t TextDecoder::Decode(std::string_view bytes, std::string& out, bool last)
{
    std::size_t taken = 0;
    if (!m_started) {
        if (bytes.size() < MarkBytes && !last)
            return 0;
        taken = TakeMark(bytes);
        bytes.remove_prefix(taken);
    }
    switch (m_encoding) {
    case TextEncoding::Utf16: {
        const std::size_t whole = last ? bytes.size() : Utf16WholeEnd(bytes, m_bigEndian);
        out += Utf16ToUtf8(bytes.substr(0, whole), m_bigEndian);
        return taken + whole;
    }
    case TextEncoding::Cp1252:
        out += Cp1252ToUtf8(bytes);
        return taken + bytes.size();
    default: {
        const std::size_t whole = last ? bytes.size() : Utf8WholeEnd(bytes);
        // Without a mark, detection chose UTF-8 because the bytes are valid: taken as they stand.
        if (m_marked)
            out += RepairUtf8(bytes.substr(0, whole));
        else
            out.append(bytes.substr(0, whole));
        return taken + whole;
    }
    }
}

} // namespace quillary
