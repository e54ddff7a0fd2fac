// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/phone_formats.h"

#include <gtest/gtest.h>

#include <string>

namespace quillary {
namespace {

EditMask Format(int index)
{
    return ParseEditMask(PhoneFormats()[static_cast<std::size_t>(index)].editMask);
}

// The mask positions as "#" required digit, "o" optional digit and literals as themselves.
std::string Kinds(const EditMask& mask)
{
    std::string kinds;
    for (const MaskPosition& p : mask.positions)
        kinds += p.kind == MaskPosition::RequiredDigit ? '#' : p.kind == MaskPosition::OptionalDigit ? 'o' : p.literal;
    return kinds;
}

TEST(PhoneFormats, EveryFormatParses)
{
    const char* expected[] = {"(ooo)###-####",   "",
                              "+45 ## ## ## ##", "16-##-##-##-##",
                              "(ooo oo) ooooo",  "(oooo) #### ####",
                              "0##oo-####ooo",   "## #o oo oo",
                              "(ooo)#######",    "## #o oo oo",
                              "0###o #####oo"};
    for (std::size_t i = 0; i < kPhoneFormatCount; ++i) {
        const EditMask mask = Format(static_cast<int>(i));
        EXPECT_EQ(Kinds(mask), expected[i]) << PhoneFormats()[i].name;
        EXPECT_EQ(mask.saveLiterals, mask.IsFree());
        EXPECT_EQ(mask.blank, '_');
    }
    EXPECT_EQ(PhoneFormats()[kPhoneFormatFree].name, "Free Format");
    EXPECT_EQ(PhoneFormats()[10].name, "United Kingdom");
    EXPECT_TRUE(Format(0).leadingBlanks);
    EXPECT_FALSE(Format(7).leadingBlanks);
}

TEST(EditMaskNotation, DefaultsAndOddEnds)
{
    EXPECT_TRUE(ParseEditMask("00-0").saveLiterals);
    EXPECT_EQ(ParseEditMask("0;1; ").blank, ' ');
    EXPECT_EQ(ParseEditMask("0;0;5").blank, '_');    // a digit cannot mark empty positions
    EXPECT_EQ(Kinds(ParseEditMask("0\\")), "#");     // a trailing "\" escapes nothing
    EXPECT_EQ(Kinds(ParseEditMask("\\;0;0;_")), ""); // the pattern ends at the first ";"
    EXPECT_TRUE(ParseEditMask("!").IsFree());
}

TEST(EditMaskNotation, TranslatesToQtSyntax)
{
    EXPECT_EQ(ToQtInputMask(Format(0)), "\\(000\\)999\\-9999;_");
    EXPECT_EQ(ToQtInputMask(Format(kPhoneFormatFree)), "");
    EXPECT_EQ(ToQtInputMask(Format(3)), "\\1\\6\\-99\\-99\\-99\\-99;_");
    EXPECT_EQ(ToQtInputMask(Format(6)), "\\09900\\-9999000;_");
    EXPECT_EQ(ToQtInputMask(Format(7)), "99\\ 90\\ 00\\ 00;_");
    EXPECT_EQ(ToQtInputMask(ParseEditMask("0.0 \"\\>;0; ")), "9\\.9\\ \\\"\\>; ");
}

TEST(MaskedValue, UsaNumber)
{
    const EditMask usa = Format(0);
    EXPECT_EQ(PlainValue("(555)123-4567", usa), "5551234567");
    EXPECT_EQ(DisplayedText("(555)123-4567", usa), "(555)123-4567");
    EXPECT_TRUE(IsComplete("(___)123-4567", usa)); // the area code is optional
    EXPECT_EQ(DisplayedText("(___)123-4567", usa), "()123-4567");
    EXPECT_FALSE(IsComplete("(555)123-45__", usa));
    // an untouched field shows its literals only
    EXPECT_EQ(PlainValue("(___)___-____", usa), "");
    EXPECT_EQ(DisplayedText("", usa), "()-");
    EXPECT_TRUE(IsComplete("", Format(4))); // nothing is required in the German mask
}

TEST(MaskedValue, LiteralDigitsAreNotPartOfThePlainValue)
{
    EXPECT_EQ(PlainValue("16-12-34-56-78", Format(3)), "12345678");
    EXPECT_EQ(PlainValue("020__-1234567", Format(6)), "201234567");
    EXPECT_EQ(DisplayedText("020__-1234___", Format(6)), "020-1234");
    EXPECT_TRUE(IsComplete("020__-1234___", Format(6)));
    EXPECT_EQ(PlainValue("0207_ 1234567", Format(10)), "2071234567");
    EXPECT_EQ(PlainValue("+45 __ __ __ __", Format(2)), "");
}

TEST(MaskedValue, OddShownTexts)
{
    // non-digits in digit positions are empty positions
    EXPECT_EQ(PlainValue("(5x5)", Format(0)), "55");
    EXPECT_FALSE(IsComplete("(555)abc-defg", Format(0)));
    EXPECT_EQ(PlainValue("12-3_", ParseEditMask("00-09;1;_")), "12-3"); // literals kept by the flag
    EXPECT_EQ(PlainValue("call 555 ext. 12", Format(kPhoneFormatFree)), "call 555 ext. 12");
}

TEST(MaskedValue, TypingGoesOnAfterTheLastDigit)
{
    const EditMask usa = Format(0);
    EXPECT_EQ(NextEntryPosition("(___)___-____", usa), 1u);
    EXPECT_EQ(NextEntryPosition("(555)___-____", usa), 5u); // past the ")"
    EXPECT_EQ(NextEntryPosition("(___)12_-____", usa), 7u);
    EXPECT_EQ(NextEntryPosition("(555)123-4567", usa), 13u);
    EXPECT_EQ(NextEntryPosition("", Format(3)), 3u); // behind "16-"
}

} // namespace
} // namespace quillary
