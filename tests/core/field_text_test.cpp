// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace quillary {
namespace {

// Blanks, a sign, then digits up to the first other character, wrapping at 32 bits.
std::int32_t ReadDigitByDigit(std::string_view text)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return 0;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

// Runs of digits of every length around eight, broken by the characters next to '0' and '9' and
// by bytes above 127, read as one digit at a time reads them.
TEST(FieldText, LenientNumbersReadAsDigitByDigit)
{
    std::mt19937 random(13);
    const std::string_view others = "/:+- \x80\xb9~";
    for (int round = 0; round < 50000; ++round) {
        std::string text(random() % 3, ' ');
        if (random() % 3 == 0)
            text.push_back(random() % 2 ? '-' : '+');
        const std::size_t length = random() % 26;
        for (std::size_t i = 0; i < length; ++i)
            text.push_back(random() % 12 ? static_cast<char>('0' + random() % 10) : others[random() % others.size()]);
        ASSERT_EQ(ParseLenientInt(text), ReadDigitByDigit(text)) << text;
    }
    EXPECT_EQ(ParseLenientInt("2027808452~~"), 2027808452);
    EXPECT_EQ(ParseLenientInt("4294967295"), -1) << "wraps at 32 bits";
    EXPECT_EQ(ParseLenientInt("99999999999999999999"), ReadDigitByDigit("99999999999999999999"));
}

} // namespace
} // namespace quillary
