// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// A stored phone number as a dialler reads it.
struct DialString
{
    // A leading "+" when the number is international, then digits, "*" and "#".
    std::string number;
    // Digits only; empty when the number names no extension.
    std::string extension;

    bool operator==(const DialString&) const = default;
};

// Reads a number as people write it: blanks, brackets, dashes and dots are dropped; a "+" before
// the first digit is kept; "(0)" after a country code is dropped; letters after the first digit
// are keypad letters (1-800-FLOWERS); words before it are a label ("Tel.", "Mobile"). A final run
// of digits after "ext", "extn", "extension", "x", "#", "," or ";" is the extension ("#" only in
// a number without "*" or "#" of its own, where it is no service code). None when there is no
// digit to dial.
std::optional<DialString> ReadDialString(std::string_view text);

// The RFC 3966 address handed to the desktop: "tel:+442079460958", "tel:5551234;ext=12", with no
// visual separators and "#" written %23.
std::string TelUri(const DialString& dial);

// The number a phone item dials: its own text, with the item's extension field joined as
// " ext <digits>" when the text names no extension itself and the field holds digits.
std::string NumberWithExtension(std::string_view number, std::string_view extension);

// What the user is told when a number holds nothing to dial.
std::string UndialableMessage(std::string_view number);

} // namespace quillary
