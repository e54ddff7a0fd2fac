// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_file.h"

#include "common/ascii_case.h"
#include "common/atomic_file.h"
#include "common/decoded_text_buffer.h"
#include "common/file_error.h"
#include "common/text_encoding.h"
#include "common/text_line_reader.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace quillary {

namespace {
// The cards ReadEach will find: lines that open a card outside a card, up to their closing line.
std::uint64_t CountCards(std::istream& text)
{
    std::uint64_t count = 0;
    bool inCard = false;
    TextLineReader lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (!inCard && StartsWithNoCase(line, "begin:vcard")) {
            ++count;
            inCard = true;
        } else if (inCard && StartsWithNoCase(line, "end:vcard")) {
            inCard = false;
        }
    }
    return count;
}

void ReadCards(std::istream& text, std::uint64_t count, const TVCardFile::CardTaker& take)
{
    TextLineReader lines(text);
    std::string_view line;
    TCard card; // one card after another in the same room
    for (std::uint64_t number = 1; lines.Next(line);) {
        if (!StartsWithNoCase(line, "begin:vcard"))
            continue;
        card.Clear();
        card.ReadCard(lines);
        if (!take(card, number++, count))
            return;
    }
}

// Goes back to where the cards' bytes start, for the next pass over them.
void Rewind(std::istream& in, std::streampos start)
{
    in.clear();
    if (!in.seekg(start))
        throw FileError("", "Cannot read file");
}

// UTF-8 and Windows-1252 write every ASCII byte as itself, so their cards are counted in the
// bytes as they stand, past a UTF-8 byte order mark; UTF-16 is decoded to be counted.
std::uint64_t CountCardsIn(std::istream& in, std::streampos start, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf16) {
        DecodedTextBuffer decoded(in, encoding);
        std::istream text(&decoded);
        return CountCards(text);
    }
    char mark[Utf8Mark.size()];
    in.read(mark, sizeof mark);
    if (encoding != TextEncoding::Utf8 || std::string_view(mark, static_cast<std::size_t>(in.gcount())) != Utf8Mark)
        Rewind(in, start);
    return CountCards(in);
}

// Three passes, none of which holds the file: phones and older programs write UTF-16, byte order
// marks or Windows-1252 without saying so, which only the whole file tells; the cards are
// counted for the progress; then they are read. A stream that can be read once only is held.
void ReadEachFrom(std::istream& in, const TVCardFile::CardTaker& take)
{
    const std::streampos start = in.tellg();
    if (start == std::streampos(-1)) {
        std::istringstream held(ReadStreamBytes(in));
        ReadEachFrom(held, take);
        return;
    }
    const TextEncoding encoding = DetectStreamEncoding(in);
    Rewind(in, start);
    const std::uint64_t count = CountCardsIn(in, start, encoding);
    Rewind(in, start);
    DecodedTextBuffer read(in, encoding);
    std::istream text(&read);
    ReadCards(text, count, take);
}
} // namespace

void TVCardFile::Load()
{
    LoadEach(Filename, [this](TCard& card, std::uint64_t, std::uint64_t) {
        AddCard(std::move(card));
        return true;
    });
}

void TVCardFile::LoadEach(const std::filesystem::path& path, const CardTaker& take)
{
    // A folder opens as a stream that reads nothing; it is no vCard file either.
    std::error_code ignored;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ignored))
        throw FileError(path, "Cannot open file");
    try {
        ReadEachFrom(in, take);
    } catch (const FileError& error) {
        // Only the reading of the file itself fails without a file's name.
        if (!error.Path().empty())
            throw;
        throw FileError(path, "Cannot read file");
    }
}

void TVCardFile::Read(std::istream& in)
{
    ReadEach(in, [this](TCard& card, std::uint64_t, std::uint64_t) {
        AddCard(std::move(card));
        return true;
    });
}

void TVCardFile::ReadEach(std::istream& in, const CardTaker& take)
{
    ReadEachFrom(in, take);
}

void TVCardFile::Write(std::ostream& out) const
{
    for (const TCard& card : m_cards)
        card.WriteCard(out, Version);
}

void TVCardFile::Save() const
{
    WriteFileAtomically(Filename, [&](std::ostream& out) { Write(out); });
}

} // namespace quillary
