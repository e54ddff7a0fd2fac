// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/utf8_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quillary {

namespace {
// Code points of the bytes 0x80 to 0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char16_t, 32> Cp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::uint8_t Byte(char c)
{
    return static_cast<std::uint8_t>(c);
}

// Where the run of ASCII from pos ends, to within eight bytes: the bulk of any contact file is
// ASCII, and eight bytes are tested at once.
std::size_t AsciiRunEnd(std::string_view text, std::size_t pos)
{
    std::uint64_t word = 0;
    for (; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0)
            break;
    }
    return pos;
}

std::string SingleByteToUtf8(std::string_view bytes, bool windows)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const std::uint8_t b = Byte(c);
        AppendUtf8(out, windows && b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b);
    }
    return out;
}
} // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos)
{
    const std::uint8_t lead = Byte(text[pos]);
    if (lead < 0x80)
        return 1;
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((Byte(text[pos + i]) & 0xC0) != 0x80)
            return 0;
    const std::uint8_t second = Byte(text[pos + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        pos = AsciiRunEnd(text, pos);
        if (pos == text.size())
            break;
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view bytes)
{
    return SingleByteToUtf8(bytes, false);
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    return SingleByteToUtf8(bytes, true);
}

std::string RepairUtf8(std::string_view text)
{
    if (IsUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length > 0) {
            out.append(text, pos, length);
            pos += length;
        } else {
            out += Cp1252ToUtf8(text.substr(pos++, 1));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
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
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit);
    }
    if (i < bytes.size())
        AppendUtf8(out, char32_t{0xFFFD});
    return out;
}

std::size_t Utf8WholeEnd(std::string_view text)
{
    // Only a lead byte among the last three can start a sequence that runs past the end.
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const std::uint8_t b = Byte(text[text.size() - back]);
        if (b < 0xC0)
            continue;
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

} // namespace quillary
