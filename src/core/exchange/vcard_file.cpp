// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_file.h"

#include "common/ascii_case.h"
#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/text_encoding.h"
#include "common/text_line_reader.h"

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace quillary {

void TVCardFile::Load()
{
    // A folder opens as a stream that reads nothing; it is no vCard file either.
    std::error_code ignored;
    std::ifstream in(Filename, std::ios::binary);
    if (!in || std::filesystem::is_directory(Filename, ignored))
        throw FileError(Filename, "Cannot open file");
    try {
        Read(in);
    } catch (const FileError&) {
        throw FileError(Filename, "Cannot read file");
    }
}

void TVCardFile::Read(std::istream& in)
{
    // Phones and older programs write UTF-16, byte order marks or Windows-1252 without saying so.
    std::istringstream text(DecodeText(ReadStreamBytes(in), TextEncoding::Auto));
    TextLineReader lines(text);
    std::string line;
    while (lines.Next(line)) {
        if (!StartsWithNoCase(line, "begin:vcard"))
            continue;
        TCard card;
        card.ReadCard(lines);
        AddCard(std::move(card));
    }
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
