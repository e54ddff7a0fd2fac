// SPDX-License-Identifier: GPL-3.0-or-later
// Files of contacts read a piece at a time must come out exactly as they would read whole,
// wherever a piece happens to end.
#include "common/decoded_text_buffer.h"
#include "common/text_decoder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace quillary;

namespace {

// UTF-16 bytes of code units, with the mark of the byte order first.
std::string Utf16Bytes(const std::vector<char16_t>& units, bool bigEndian)
{
    std::string bytes(bigEndian ? Utf16BeMark : Utf16LeMark);
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// Hands bytes over in pieces of the given size, each after what the reader left of the last, as
// a file is read; read returns how much it took.
template <typename Read> void InPieces(std::string_view bytes, std::size_t size, Read read)
{
    std::string held;
    for (std::size_t at = 0;;) {
        held.append(bytes.substr(at, size));
        at = std::min(at + size, bytes.size());
        const bool last = at == bytes.size();
        held.erase(0, read(std::string_view(held), last));
        if (last) {
            EXPECT_TRUE(held.empty());
            return;
        }
    }
}

std::vector<std::string> Samples()
{
    const std::vector<char16_t> units = {u'A', u'ł', 0xD83D, 0xDE00, u'€', 0xDE00, u'z', 0xD83D};
    std::string oddEnd = Utf16Bytes({u'a', u'b'}, false) + "x";
    return {"",
            "a",
            "\xEF\xBB",
            "Zo\xC3\xAB \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 end",
            std::string(Utf8Mark) + "Ren\xE9" + "e \xC3\xBC \xE2\x82\xAC",
            "M\xFC" + std::string("ller \x80 \x9D ok"),
            "abc\xE2\x82",
            "\xF0\x9F\x98",
            Utf16Bytes(units, false),
            Utf16Bytes(units, true),
            oddEnd,
            std::string(Utf16BeMark)};
}

} // namespace

TEST(TextDecoder, PiecesDetectAndDecodeAsTheWholeFileDoes)
{
    for (const std::string& sample : Samples()) {
        const TextEncoding whole = DetectTextEncoding(sample);
        const std::string text = DecodeText(sample, TextEncoding::Auto);
        for (const std::size_t size : {1, 2, 3, 4, 5, 7, 64}) {
            SCOPED_TRACE(::testing::Message() << "sample " << ::testing::PrintToString(sample) << ", pieces of "
                                              << size);
            TextEncodingDetector detector;
            InPieces(sample, size, [&](std::string_view bytes, bool last) { return detector.Feed(bytes, last); });
            EXPECT_EQ(detector.Result(), whole);
            TextDecoder decoder(whole);
            std::string decoded;
            InPieces(sample, size,
                     [&](std::string_view bytes, bool last) { return decoder.Decode(bytes, decoded, last); });
            EXPECT_EQ(decoded, text);
        }
    }
}

TEST(TextDecoder, AStreamLargerThanAPieceReadsAsTheWholeFile)
{
    // Nothing but surrogate pairs after the mark, so that pieces of any even size above two end
    // in the middle of one.
    std::vector<char16_t> units;
    for (int i = 0; i < 200000; ++i)
        units.insert(units.end(), {0xD83D, static_cast<char16_t>(0xDE00 + i % 64)});
    const std::string bytes = "\x01" + Utf16Bytes(units, true);
    std::istringstream in(bytes);
    in.get(); // the text starts where the stream stands
    EXPECT_EQ(DetectStreamEncoding(in), TextEncoding::Utf16);
    in.clear();
    in.seekg(1);
    DecodedTextBuffer buffer(in, TextEncoding::Utf16);
    std::istream text(&buffer);
    std::ostringstream read;
    read << text.rdbuf();
    EXPECT_EQ(read.str(), DecodeText(bytes.substr(1), TextEncoding::Auto));
}
