// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_file.h"

#include "common/ascii_case.h"
#include "common/atomic_file.h"
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
std::uint64_t CountCards(std::string_view text)
{
    std::uint64_t count = 0;
    bool inCard = false;
    const auto see = [&](std::string_view line) {
        if (!inCard && StartsWithNoCase(line, "begin:vcard")) {
            ++count;
            inCard = true;
        } else if (inCard && StartsWithNoCase(line, "end:vcard")) {
            inCard = false;
        }
    };
    while (!text.empty()) {
        // Lines end at LF; a CR inside what lies before it ends a line too (CR LF, or old Mac files).
        const std::size_t lf = std::min(text.find('\n'), text.size());
        for (std::string_view segment = text.substr(0, lf);;) {
            const std::size_t cr = segment.find('\r');
            see(segment.substr(0, cr));
            if (cr == std::string_view::npos)
                break;
            segment.remove_prefix(cr + 1);
        }
        text.remove_prefix(std::min(lf + 1, text.size()));
    }
    return count;
}

void ReadEachOf(std::string bytes, const TVCardFile::CardTaker& take)
{
    // Phones and older programs write UTF-16, byte order marks or Windows-1252 without saying so.
    TextEncoding encoding = TextEncoding::Auto;
    std::istringstream text(TakeDecodedText(std::move(bytes), encoding));
    const std::uint64_t count = CountCards(text.view());
    TextLineReader lines(text);
    std::string line;
    for (std::uint64_t number = 1; lines.Next(line);) {
        if (!StartsWithNoCase(line, "begin:vcard"))
            continue;
        TCard card;
        card.ReadCard(lines);
        if (!take(card, number++, count))
            return;
    }
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
    std::string bytes;
    try {
        bytes = ReadStreamBytes(in);
    } catch (const FileError&) {
        throw FileError(path, "Cannot read file");
    }
    ReadEachOf(std::move(bytes), take);
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
    ReadEachOf(ReadStreamBytes(in), take);
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
