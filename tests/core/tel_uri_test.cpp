// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/tel_uri.h"

#include <gtest/gtest.h>

#include <random>

namespace quillary {
namespace {

// The address a stored number is dialled at, or "refused".
std::string Dialled(std::string_view number)
{
    const std::optional<DialString> dial = ReadDialString(number);
    return dial ? TelUri(*dial) : "refused";
}

struct Case
{
    const char* stored;
    const char* dialled;
};

TEST(TelUri, NumbersAsPeopleWriteThem)
{
    const Case cases[] = {
        // International numbers keep their "+"; the trunk "(0)" is not dialled from abroad.
        {"+44 (0)20 7946 0958", "tel:+442079460958"},
        {"+44 (0) 20 7946 0958", "tel:+442079460958"},
        {"+49 (30) 555-12", "tel:+493055512"},
        {"Tel. +1 212.555.0100", "tel:+12125550100"},
        {"+1 555 12+34", "tel:+15551234"},
        // A local number keeps its own leading zero, bracketed or not.
        {"(0)20 7946 0958", "tel:02079460958"},
        // Keypad letters.
        {"1-800-FLOWERS", "tel:18003569377"},
        {"1-800-4xmas", "tel:180049627"},
        // Extensions in their many spellings.
        {"555-1234 ext. 12", "tel:5551234;ext=12"},
        {"555-1234 x12", "tel:5551234;ext=12"},
        {"555-1234X 12", "tel:5551234;ext=12"},
        {"555-1234#12", "tel:5551234;ext=12"},
        {"555-1234,,12", "tel:5551234;ext=12"},
        {"(555) 123-4567 Extension: 89", "tel:5551234567;ext=89"},
        {"555 1234;ext=12", "tel:5551234;ext=12"},
        {"+44 20 7946 0958 extn 5 ", "tel:+442079460958;ext=5"},
        {"1-800-FLOWERS x 7", "tel:18003569377;ext=7"},
        {"555-1234 ext.", "tel:5551234"},
        // Service codes keep their "*" and "#", written so "#" cannot start a fragment.
        {"+1 (555) 123-4567 *9#", "tel:+15551234567*9%23"},
        {"*31#5551234", "tel:*31%235551234"},
        {"*#06#", "tel:*%2306%23"},
        // Dashes of other scripts and stray bytes are separators.
        {"555\xE2\x80\x93"
         "1234",
         "tel:5551234"},
        // Nothing to dial.
        {"", "refused"},
        {"   ", "refused"},
        {"call me", "refused"},
        {"n/a", "refused"},
        {"--help", "refused"},
        {"x12", "refused"},
        {"ext. 12", "refused"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dialled(c.stored), c.dialled) << '"' << c.stored << '"';
}

TEST(TelUri, ThePhonesExtensionFieldJoinsANumberWithoutOne)
{
    EXPECT_EQ(Dialled(NumberWithExtension("555-1234", "12")), "tel:5551234;ext=12");
    EXPECT_EQ(Dialled(NumberWithExtension("+44 (0)20 7946 0958", " 345 ")), "tel:+442079460958;ext=345");
    // The number's own extension is the one dialled.
    EXPECT_EQ(NumberWithExtension("555-1234 x9", "12"), "555-1234 x9");
    // A field without digits adds nothing; a number without digits stays refused.
    EXPECT_EQ(NumberWithExtension("555-1234", ""), "555-1234");
    EXPECT_EQ(NumberWithExtension("555-1234", "desk"), "555-1234");
    EXPECT_EQ(Dialled(NumberWithExtension("call me", "12")), "refused");
}

// Whatever a stored number holds, the address carries nothing a handler could read as anything
// but digits to dial: no blank, option, parameter or fragment of the text's own.
TEST(TelUri, AnyTextGivesOnlyDialCharacters)
{
    std::mt19937 random(20240611);
    const std::string alphabet = "0123456789+*#,;()-. xXeEtTnN:=/abcOP\x01\t\"'&?%@\xC3\xA9\xE2\x80\x93";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const std::optional<DialString> dial = ReadDialString(text);
        if (!dial)
            continue;
        const std::string uri = TelUri(*dial);
        SCOPED_TRACE(text);
        ASSERT_EQ(uri.rfind("tel:", 0), 0u);
        const std::size_t ext = uri.find(";ext=");
        const std::string number = uri.substr(4, ext == std::string::npos ? std::string::npos : ext - 4);
        const std::string extension = ext == std::string::npos ? "1" : uri.substr(ext + 5);
        ASSERT_NE(number.find_first_of("0123456789"), std::string::npos);
        ASSERT_EQ(number.find_first_not_of("0123456789*%23+"), std::string::npos);
        ASSERT_EQ(number.find('+', 1), std::string::npos);
        ASSERT_FALSE(extension.empty());
        ASSERT_EQ(extension.find_first_not_of("0123456789"), std::string::npos);
    }
}

TEST(TelUri, RefusalNamesTheNumber)
{
    EXPECT_EQ(UndialableMessage("call me"), "\"call me\" holds no phone number to dial.");
    EXPECT_EQ(UndialableMessage(" "), "There is no phone number to dial.");
}

} // namespace
} // namespace quillary
