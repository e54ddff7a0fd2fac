// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/terminal_text.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(TerminalText, ControlCharactersFromFilesAreShownNotSent)
{
    // A title that would retitle the terminal window, colour it and hide what follows.
    EXPECT_EQ(TerminalText("Evil\x1b]0;pwned\x07Title"), "Evil\\x1b]0;pwned\\x07Title");
    EXPECT_EQ(TerminalText("a\x1b[8mhidden\x1b[0m"), "a\\x1b[8mhidden\\x1b[0m");
    EXPECT_EQ(TerminalText("cr\rlf\ntab\tdel\x7f"), "cr\\x0dlf\\x0atab\\x09del\\x7f");
    EXPECT_EQ(TerminalText("two\nlines", true), "two\nlines");
    // C1 controls in UTF-8 (U+009B is a second way to start an escape sequence).
    EXPECT_EQ(TerminalText("x\xC2\x9B"
                           "31my"),
              "x\\u009b31my");
    // A lone byte 0x9B is Windows-1252's "›", shown as that character.
    EXPECT_EQ(TerminalText("x\x9By"), "x\xE2\x80\xBAy");
}

TEST(TerminalText, FormatCharactersThatTurnOrHideTextAreShown)
{
    // A name a server sends: shown backwards without the escape ("Jane Doe" reads "eoD enaJ").
    EXPECT_EQ(TerminalText("\xE2\x80\xAE"
                           "eoD enaJ"),
              "\\u202eeoD enaJ");
    const std::pair<const char*, const char*> shown[] = {
        {"a\xE2\x80\xA8" "b", "a\\u2028b"},         // line separator
        {"a\xE2\x80\xA9" "b", "a\\u2029b"},         // paragraph separator
        {"a\xE2\x80\x8B" "b", "a\\u200bb"},         // zero-width space
        {"a\xE2\x80\x8F" "b", "a\\u200fb"},         // right-to-left mark
        {"a\xE2\x81\xA6" "b", "a\\u2066b"},         // left-to-right isolate
        {"a\xD8\x9C" "b", "a\\u061cb"},              // Arabic letter mark
        {"a\xEF\xBB\xBF" "b", "a\\ufeffb"},         // byte order mark
        {"a\xC2\xAD" "b", "a\\u00adb"},              // soft hyphen
        {"a\xF3\xA0\x80\x81" "b", "a\\U000e0001b"}, // language tag
    };
    for (const auto& [text, expected] : shown)
        EXPECT_EQ(TerminalText(text), expected) << expected;
    // The joiners shape Persian, Indic and emoji sequences and move nothing: they stay.
    for (const char* kept : {"\xD9\x85\xDB\x8C\xE2\x80\x8C\xD8\xAE", "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"})
        EXPECT_EQ(TerminalText(kept), kept);
}

TEST(TerminalText, OrdinaryTextPassesAsItIs)
{
    for (const char* text : {"My Contacts/Anna Berg", "Caf\xC3\xA9 \xE2\x82\xAC 5", "\\x1b is written like this", "",
                             "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"})
        EXPECT_EQ(TerminalText(text), text);
    // Windows-1252 text of older files comes out as UTF-8.
    EXPECT_EQ(TerminalText("Caf\xE9"), "Caf\xC3\xA9");
}
