// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// Text from files as a terminal may show it: UTF-8 (bytes outside well-formed UTF-8 read as
// Windows-1252, as the desktop program shows them), with every control character made visible,
// so a title can never move the cursor, retitle the window, turn a line around or hide text. C0
// controls and DEL are written "\x1b", C1 controls (U+0080 to U+009F) and the format characters
// that reorder or hide text (U+202E, U+2028, U+200B ...) "\u202e" (above U+FFFF "\U000e0001").
// A line break is kept only when keepLineBreaks is set. Other text comes back as it is.
std::string TerminalText(std::string_view text, bool keepLineBreaks = false);

} // namespace quillary
