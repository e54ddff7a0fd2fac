// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace quillary {
namespace {

// Every length around the eight-byte steps, and bytes that trouble word-at-a-time tricks: zero,
// one, bytes with the high bit set and the sought values' neighbours. A match may follow such a
// byte in the same word, where a borrow marks bytes it should not.
TEST(ByteScan, FindsTheFirstOfSeveralBytesOrAByteBelowALimitWhereverItLies)
{
    const std::string alphabet{'\0', '\x01', '\x09', '\x0b', '\x0c', '\x0e', '\x7f', '\x80', '\x8a', '\x8d',
                               '\xfe', '\xff', 'a',    '~',    '\n',   '\r',   '\x1a'};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = random() % 3 ? alphabet[random() % 12] : alphabet[random() % alphabet.size()];
        // Offsets into a larger string, so words start at every alignment.
        const std::string padded = std::string(random() % 8, 'x') + text;
        const char* begin = padded.data() + (padded.size() - text.size());
        const char* end = begin + text.size();
        const auto expected = [&](auto... bytes) {
            return std::find_if(begin, end, [&](char c) { return ((c == bytes) || ...); });
        };
        ASSERT_EQ(FindAnyByte(begin, end, '\n', '\r'), expected('\n', '\r')) << round;
        ASSERT_EQ(FindAnyByte(begin, end, '~', '\r', '\n', '\x1a'), expected('~', '\r', '\n', '\x1a')) << round;
        ASSERT_EQ(FindAnyByte(begin, end, '\0'), expected('\0')) << round;
        ASSERT_EQ(FindAnyByte(begin, end, '\xff', '\x80'), expected('\xff', '\x80')) << round;
        const auto holds = [&](unsigned char limit, char byte) {
            return std::any_of(begin, end, [&](char c) { return static_cast<unsigned char>(c) < limit || c == byte; });
        };
        // Limits that most texts here pass and most fail, and the highest allowed.
        for (const unsigned char limit : {1, 10, 32, 128})
            ASSERT_EQ(HoldsByteBelowOr(begin, end, limit, '~'), holds(limit, '~')) << round << " " << int(limit);
    }
}

} // namespace
} // namespace quillary
