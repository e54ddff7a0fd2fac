// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_encoding.h"

#include "common/file_error.h"
#include "common/utf8_text.h"

#include <array>
#include <cstdint>

namespace quillary {

namespace {
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";
constexpr char32_t Replacement = 0xFFFD;

std::uint8_t Byte(char c)
{
    return static_cast<std::uint8_t>(c);
}

std::string FromUtf16(std::string_view bytes, bool bigEndian)
{
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const std::uint8_t a = Byte(bytes[i]), b = Byte(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? Replacement : unit);
    }
    if (i < bytes.size())
        AppendUtf8(out, Replacement);
    return out;
}
} // namespace

TextEncoding DetectTextEncoding(std::string_view bytes)
{
    if (bytes.starts_with(Utf8Mark))
        return TextEncoding::Utf8;
    if (bytes.starts_with(Utf16LeMark) || bytes.starts_with(Utf16BeMark))
        return TextEncoding::Utf16;
    return IsUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp1252;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding)
{
    const bool detected = encoding == TextEncoding::Auto;
    if (detected)
        encoding = DetectTextEncoding(bytes);
    switch (encoding) {
    case TextEncoding::Utf16:
        if (bytes.starts_with(Utf16BeMark))
            return FromUtf16(bytes.substr(Utf16BeMark.size()), true);
        return FromUtf16(bytes.starts_with(Utf16LeMark) ? bytes.substr(Utf16LeMark.size()) : bytes, false);
    case TextEncoding::Cp1252:
        return Cp1252ToUtf8(bytes);
    default:
        if (bytes.starts_with(Utf8Mark))
            return RepairUtf8(bytes.substr(Utf8Mark.size()));
        // Without a mark, detection chose UTF-8 because the bytes are valid: no second pass.
        return detected ? std::string(bytes) : RepairUtf8(bytes);
    }
}

std::string TakeDecodedText(std::string bytes, TextEncoding& encoding)
{
    const bool detected = encoding == TextEncoding::Auto;
    if (detected)
        encoding = DetectTextEncoding(bytes);
    if (detected && encoding == TextEncoding::Utf8 && !bytes.starts_with(Utf8Mark))
        return bytes;
    return DecodeText(bytes, encoding);
}

std::string ReadStreamBytes(std::istream& in)
{
    std::string bytes;
    // Where the stream can say how much is left, the text is sized once instead of grown.
    if (const auto start = in.tellg(); start != std::streampos(-1) && in.seekg(0, std::ios::end)) {
        const auto end = in.tellg();
        in.seekg(start);
        if (end > start)
            bytes.reserve(static_cast<std::size_t>(end - start));
    }
    in.clear(in.rdstate() & std::ios::badbit);
    std::array<char, 1 << 16> buffer;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        throw FileError("", "Cannot read file");
    return bytes;
}

} // namespace quillary
