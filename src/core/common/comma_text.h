// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Comma text is the list format used throughout the data file and the settings: words separated by a comma and/or
// blanks, a word holding blanks, control characters, commas or quotes written in double quotes with inner quotes
// doubled.

// Splits comma text into its words. Blanks and control characters (codes 1 to 32) around a word are skipped and
// separate words; one comma ends a word, so "a,,b" holds an empty middle word while a trailing comma adds nothing.
// A quoted word runs to its closing quote (or the end of the text). A NUL byte ends the text.
// With a limit, splitting stops after limit + 1 words: a result longer than limit tells the
// caller that the text holds more words than it takes, without holding them all.
std::vector<std::string> SplitCommaText(std::string_view text, std::size_t limit = SIZE_MAX);

// Joins words into comma text that SplitCommaText reads back, except that trailing empty words are lost and NUL
// bytes cut the text short.
std::string JoinCommaText(const std::vector<std::string>& words);

} // namespace quillary
