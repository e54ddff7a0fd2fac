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

TEST(TerminalText, OrdinaryTextPassesAsItIs)
{
    for (const char* text : {"My Contacts/Anna Berg", "Caf\xC3\xA9 \xE2\x82\xAC 5", "\\x1b is written like this", ""})
        EXPECT_EQ(TerminalText(text), text);
    // Windows-1252 text of older files comes out as UTF-8.
    EXPECT_EQ(TerminalText("Caf\xE9"), "Caf\xC3\xA9");
}
