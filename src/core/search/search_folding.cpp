// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_folding.h"

#include "common/ascii_case.h"
#include "common/utf8_text.h"

#include <array>
#include <utility>

namespace quillary {

namespace {

constexpr char32_t FirstFolded = 0xC0;
constexpr char32_t LastFolded = 0x17F;

// Runs of code points from U+00C0 on and what each folds to; an empty fold keeps the letter
// (the signs × and ÷).
constexpr std::pair<int, std::string_view> FoldRuns[] = {
    // Latin-1 Supplement, capitals then small letters.
    {6, "a"}, {1, "ae"}, {1, "c"}, {4, "e"}, {4, "i"}, {1, "d"}, {1, "n"}, {5, "o"}, {1, ""}, {1, "o"}, {4, "u"},
    {1, "y"}, {1, "th"}, {1, "ss"},
    {6, "a"}, {1, "ae"}, {1, "c"}, {4, "e"}, {4, "i"}, {1, "d"}, {1, "n"}, {5, "o"}, {1, ""}, {1, "o"}, {4, "u"},
    {1, "y"}, {1, "th"}, {1, "y"},
    // Latin Extended-A, U+0100 to U+017F.
    {6, "a"}, {8, "c"}, {4, "d"}, {10, "e"}, {8, "g"}, {4, "h"}, {10, "i"}, {2, "ij"}, {2, "j"}, {3, "k"},
    {10, "l"}, {9, "n"}, {6, "o"}, {2, "oe"}, {6, "r"}, {8, "s"}, {6, "t"}, {12, "u"}, {2, "w"}, {3, "y"},
    {6, "z"}, {1, "s"}};

using FoldTable = std::array<std::string_view, LastFolded - FirstFolded + 1>;

constexpr FoldTable MakeFoldTable()
{
    FoldTable table{};
    std::size_t next = 0;
    for (const auto& [count, fold] : FoldRuns)
        for (int i = 0; i < count; ++i)
            table[next++] = fold;
    return table;
}

constexpr FoldTable Folds = MakeFoldTable();
static_assert(Folds.back() == "s" && Folds[0xDF - FirstFolded] == "ss" && Folds[0x141 - FirstFolded] == "l");

// The code point of a well-formed sequence of length bytes.
char32_t CodePoint(std::string_view sequence)
{
    const auto lead = static_cast<unsigned char>(sequence[0]);
    char32_t code = lead & (0x7F >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    return code;
}

// Appends the folded form of one code point whose bytes are original.
void AppendFolded(std::string& out, char32_t code, std::string_view original)
{
    if (code >= 0x300 && code <= 0x36F) // combining marks: the accent of the letter before
        return;
    if (code == 0xA0 || (code >= 0x80 && code < 0xA0)) {
        out += ' ';
        return;
    }
    if (code >= FirstFolded && code <= LastFolded && !Folds[code - FirstFolded].empty()) {
        out += Folds[code - FirstFolded];
        return;
    }
    out += original;
}

} // namespace

std::string FoldForSearch(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            folded += byte < 0x20 || byte == 0x7F ? ' ' : AsciiLower(static_cast<char>(byte));
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            folded += text[at++];
            continue;
        }
        const std::string_view sequence = text.substr(at, length);
        AppendFolded(folded, CodePoint(sequence), sequence);
        at += length;
    }
    return folded;
}

std::string PhoneDigits(std::string_view text)
{
    std::string digits;
    for (const char c : text)
        if (IsAsciiDigit(c))
            digits += c;
    return digits;
}

} // namespace quillary
