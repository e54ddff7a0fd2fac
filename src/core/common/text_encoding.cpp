// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_encoding.h"

#include "common/file_error.h"
#include "common/utf8_text.h"

#include <array>
#include <cstdint>

namespace quillary {

TextEncoding MarkedEncoding(std::string_view bytes)
{
    if (bytes.starts_with(Utf8Mark))
        return TextEncoding::Utf8;
    if (bytes.starts_with(Utf16LeMark) || bytes.starts_with(Utf16BeMark))
        return TextEncoding::Utf16;
    return TextEncoding::Auto;
}

TextEncoding DetectTextEncoding(std::string_view bytes)
{
    if (const TextEncoding marked = MarkedEncoding(bytes); marked != TextEncoding::Auto)
        return marked;
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
            return Utf16ToUtf8(bytes.substr(Utf16BeMark.size()), true);
        return Utf16ToUtf8(bytes.starts_with(Utf16LeMark) ? bytes.substr(Utf16LeMark.size()) : bytes, false);
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
