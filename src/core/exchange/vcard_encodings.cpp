// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_encodings.h"

#include "common/ascii_case.h"
#include "common/hex_escapes.h"
#include "common/utf8_text.h"

namespace quillary {

std::string DecodeQuotedPrintable(std::string_view text)
{
    return DecodeHexEscapes(text, '=');
}

std::string CharsetToUtf8(std::string_view text, std::string_view charset)
{
    for (const std::string_view latin1 : {"ISO-8859-1", "ISO8859-1", "LATIN1", "ISO-LATIN-1"})
        if (EqualsNoCase(charset, latin1))
            return Latin1ToUtf8(text);
    for (const std::string_view windows : {"WINDOWS-1252", "CP1252", "WIN-1252"})
        if (EqualsNoCase(charset, windows))
            return Cp1252ToUtf8(text);
    return RepairUtf8(text);
}

std::string NormalizedLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

std::string EncodeQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            out += "=0D=0A";
        } else if (byte == '=' || byte < ' ' || byte > '~' || (byte == ' ' && i + 1 == text.size())) {
            AppendHexEscape(out, byte, '=');
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quillary
