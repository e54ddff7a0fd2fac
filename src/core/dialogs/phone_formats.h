// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// A number format offered by the phone and fax format lists: its name and the edit mask it puts on the number field
// (empty = free text).
struct PhoneFormat
{
    std::string_view name;
    std::string_view editMask;
};

inline constexpr std::size_t kPhoneFormatCount = 11;
inline constexpr int kPhoneFormatUsa = 0;  // preset of new phones and faxes
inline constexpr int kPhoneFormatFree = 1; // no mask

// The formats in list order.
const std::array<PhoneFormat, kPhoneFormatCount>& PhoneFormats();

// One character position of an edit mask.
struct MaskPosition
{
    enum Kind { RequiredDigit, OptionalDigit, Literal };
    Kind kind = Literal;
    char literal = 0; // the character shown, for Literal positions
};

// An edit mask read from its notation "pattern;literal-flag;blank". In the pattern "0" is a required digit, "9" an
// optional digit, "\" makes the next character a literal, a leading "!" sets leadingBlanks and every other character
// is a literal. The flag "0" leaves the literals out of the plain value, "1" keeps them. The blank is the character
// shown in digit positions not yet filled. No positions = free text.
struct EditMask
{
    bool leadingBlanks = false;
    bool saveLiterals = true;
    char blank = '_';
    std::vector<MaskPosition> positions;

    bool IsFree() const { return positions.empty(); }
};

// Reads a mask notation. The pattern ends at the first ";" (a ";" cannot be a literal: Qt's mask syntax cannot hold
// one either); a missing flag keeps literals, a missing or digit blank becomes "_". "" gives a free-text mask.
EditMask ParseEditMask(std::string_view notation);

// The same mask in QLineEdit::setInputMask syntax, where "9" is a required and "0" an optional digit, every literal
// escaped with "\", and ";" + blank at the end. A free-text mask gives "" (no input mask). leadingBlanks has no Qt
// counterpart: digits always fill their positions from the left.
std::string ToQtInputMask(const EditMask& mask);

// The functions below read the shown text of a masked field: one character per mask position (what
// QLineEdit::displayText() gives), blank characters in positions not filled. Positions beyond its end count as empty;
// a non-digit in a digit position counts as empty. For a free-text mask the text is taken as it is.

// The plain value: the digits typed, in order, without blanks and literals ("5551234567"). With saveLiterals the
// literals stay in (the same as DisplayedText).
std::string PlainValue(std::string_view shown, const EditMask& mask);

// The text stored in an item: every literal and the digits typed, blanks left out ("(555)123-4567"); the same as
// QLineEdit::text(). An untouched field gives its literals alone ("()-").
std::string DisplayedText(std::string_view shown, const EditMask& mask);

// Whether every required digit position holds a digit. A free-text mask is always complete.
bool IsComplete(std::string_view shown, const EditMask& mask);

// Where typing goes on: the first digit position after the last digit entered; the number of positions when no
// digit position is left after it (or for free text, the end of `shown`).
std::size_t NextEntryPosition(std::string_view shown, const EditMask& mask);

} // namespace quillary
