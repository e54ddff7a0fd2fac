// SPDX-License-Identifier: GPL-3.0-or-later
// vCard files in the encodings phones and older programs write them in: whatever arrives, the tree
// holds valid UTF-8 and no card is lost.
#include "common/utf8_text.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

using Strings = std::vector<std::string>;

class PersonAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

// The titles of the items made beneath the root, in tree order, after every text of every item
// was checked to be UTF-8.
Strings ImportedTitles(const std::string& bytes)
{
    ItemTree tree;
    PersonAnswer answer;
    std::istringstream in(bytes);
    ImportVCardFile(in, tree.Root(), answer);
    Strings titles;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        const TKPXObject& item = *node.Data();
        EXPECT_TRUE(IsUtf8(item.GetTitle()) && IsUtf8(item.GetTarget()) && IsUtf8(item.GetComment()));
        for (int i = 0; i < item.ChildCount(); ++i)
            EXPECT_TRUE(IsUtf8(item.ChildAt(i)->GetTitle()) && IsUtf8(item.ChildAt(i)->GetTarget()));
        if (&node != &tree.Root())
            titles.push_back(item.GetTitle());
    });
    return titles;
}

// A stream that cannot go back, as a pipe is.
class OnceOnlyBuffer final : public std::stringbuf
{
public:
    using std::stringbuf::stringbuf;

protected:
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override { return pos_type(-1); }
    pos_type seekpos(pos_type, std::ios_base::openmode) override { return pos_type(-1); }
};

// UTF-16 code units of a text of the Basic Multilingual Plane, in the given byte order.
std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

TEST(VCardEncoding, AByteOrderMarkKeepsTheFirstCard)
{
    EXPECT_EQ(ImportedTitles("\xEF\xBB\xBF"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë First\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Second\r\nEND:VCARD\r\n"),
              (Strings{"Second", "Zoë First"}));
}

TEST(VCardEncoding, Utf16InEitherByteOrderImportsEveryCard)
{
    const std::u16string cards = u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Łukasz Żak\r\nTEL:555\r\nEND:VCARD\r\n"
                                 u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ana\r\nEND:VCARD\r\n";
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        EXPECT_EQ(ImportedTitles(Utf16(cards, bigEndian)), (Strings{"Ana", "Łukasz Żak"}));
    }
}

TEST(VCardEncoding, EveryEncodingCountsItsCardsForTheProgressAsReadingFindsThem)
{
    const std::string cards = "BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\nbegin:vcard\rFN:Fran\xE7ois\rend:vcard\r"
                              "BEGIN:VCARD\nFN:c\n";
    const std::u16string wide = u"BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:b\r\nEND:VCARD\r\n";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + cards},
        {"Windows-1252", cards},
        {"UTF-16", Utf16(wide, false)},
        {"a mark alone", "\xEF\xBB\xBF"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        std::istringstream in(bytes);
        std::vector<std::uint64_t> seen;
        std::uint64_t counted = 0;
        TVCardFile::ReadEach(in, [&](TCard&, std::uint64_t number, std::uint64_t count) {
            seen.push_back(number);
            counted = count;
            return true;
        });
        EXPECT_EQ(counted, seen.size());
    }
}

TEST(VCardEncoding, Windows1252WithoutACharsetIsReadAsSuch)
{
    // A 2.1 export of an older desktop program: raw Windows-1252 bytes, no CHARSET anywhere, and
    // one value that names its character set although the bytes are the file's own.
    EXPECT_EQ(ImportedTitles("BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\xFCller;Ren\xE9"
                             "e\r\nFN:Ren\xE9"
                             "e M\xFCller \x80\r\n"
                             "END:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=Windows-1252:Fran\xE7ois\r\nEND:VCARD\r\n"),
              (Strings{"François", "Renée Müller €"}));
}

TEST(VCardEncoding, EncodedValuesBecomeUtf8WhateverTheyClaim)
{
    // Quoted-printable bytes are read in their CHARSET; without one, or under a name not known,
    // bytes that are no UTF-8 are read as Windows-1252 rather than stored broken.
    EXPECT_EQ(ImportedTitles("BEGIN:VCARD\r\nFN;ENCODING=QUOTED-PRINTABLE:Ma=EFa\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nFN;CHARSET=KOI8-R;QUOTED-PRINTABLE:=F0=D2\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nFN;CHARSET=UTF-8;QUOTED-PRINTABLE:=C3=A5sa\r\nEND:VCARD\r\n"),
              (Strings{"Maïa", "åsa", "ðÒ"}));
}

TEST(VCardEncoding, ALargeFileFromDiskOrAPipeReadsAsItsUtf8Form)
{
    // More than one piece of the reading, with a character outside the Basic Multilingual Plane
    // in every card so that pieces end inside some.
    std::u16string cards;
    Strings expected;
    for (int i = 0; i < 4000; ++i) {
        const std::string name = "Card " + std::to_string(i);
        cards += u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + std::u16string(name.begin(), name.end()) +
                 u" \U0001F600\r\nNOTE:just a line to fill the card\r\nEND:VCARD\r\n";
        expected.push_back(name + " \xF0\x9F\x98\x80");
    }
    std::sort(expected.begin(), expected.end());
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : cards)
        bytes += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    ASSERT_GT(bytes.size(), 1U << 19);

    TempDir dir;
    WriteWhole(dir / "cards.vcf", bytes);
    ItemTree tree;
    PersonAnswer answer;
    std::uint64_t lastDone = 0, lastTotal = 0;
    const ImportCounts counts = ImportVCardFile(dir / "cards.vcf", tree.Root(), answer, [&](std::uint64_t done, std::uint64_t total) {
        lastDone = done;
        lastTotal = total;
        return true;
    });
    EXPECT_EQ(lastDone, 4000U);
    EXPECT_EQ(lastTotal, 4000U);
    const auto titlesOf = [](const ItemTree& read) {
        Strings titles;
        for (int i = 0; i < read.Root().ChildCount(); ++i)
            titles.push_back(read.Root().ChildAt(i)->Data()->GetTitle());
        return titles;
    };
    EXPECT_EQ(titlesOf(tree), expected);

    OnceOnlyBuffer pipe(bytes);
    std::istream piped(&pipe);
    ItemTree fromPipe;
    ImportVCardFile(piped, fromPipe.Root(), answer);
    EXPECT_EQ(titlesOf(fromPipe), expected);
}
