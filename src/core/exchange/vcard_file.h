// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <ostream>
#include <vector>

namespace quillary {

// A vCard file as a list of cards. Each card is read in the version it names; all are written in
// Version.
class TVCardFile
{
public:
    std::filesystem::path Filename;
    VCardVersion Version = VCardVersion::V21;

    // Reads the file named by Filename and appends its cards. Throws FileError when the file
    // cannot be opened or read; the cards read so far then stay in the list.
    void Load();
    // Appends the cards of a stream: each line that starts with "begin:vcard" (any case) opens a
    // card that runs to "end:vcard" or the end; lines outside cards are passed over. The stream's
    // encoding is recognised as for delimited text (byte order marks, UTF-8, else Windows-1252), so
    // the cards hold UTF-8 only.
    void Read(std::istream& in);

    // Takes one card as it is read, with its number (from 1) and the number of cards in the
    // stream; false stops the reading.
    using CardTaker = std::function<bool(TCard& card, std::uint64_t number, std::uint64_t count)>;
    // Reads the cards of a stream as Read does, handing each over as soon as it is read, so that
    // a large file is never held as cards all at once.
    static void ReadEach(std::istream& in, const CardTaker& take);
    // The same for the file at path; throws FileError as Load does.
    static void LoadEach(const std::filesystem::path& path, const CardTaker& take);
    // Replaces the file named by Filename with all cards in Version, lines ended by CR LF. The old file is
    // replaced only once the new one is complete; throws FileError when that fails.
    void Save() const;
    void Write(std::ostream& out) const;

    int CardCount() const { return static_cast<int>(m_cards.size()); }
    TCard& Cards(int index) { return m_cards.at(static_cast<std::size_t>(index)); }
    const TCard& Cards(int index) const { return m_cards.at(static_cast<std::size_t>(index)); }
    void AddCard(TCard card) { m_cards.push_back(std::move(card)); }

private:
    std::vector<TCard> m_cards;
};

} // namespace quillary
