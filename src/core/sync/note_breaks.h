// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// A note the tree holds on one line, written back onto the card's own note. card is the card's
// NOTE value, old the tree's reading of it and edited the tree's new text (escaped values all);
// the span the edit changed (what old and edited do not share at their start and end) is replaced
// in the card's text, whose line breaks stay everywhere else. When the card's text does not read
// as old, edited is the answer.
std::string NoteWithBreaks(std::string_view card, std::string_view old, std::string_view edited);

} // namespace quillary
