// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/phone_formats.h"

namespace quillary {

const std::array<PhoneFormat, kPhoneFormatCount>& PhoneFormats()
{
    static constexpr std::array<PhoneFormat, kPhoneFormatCount> formats{{
        {"USA", "!\\(999\\)000-0000;0;_"},
        {"Free Format", ""},
        {"Denmark", "\\+45 00 00 00 00;0;_"},
        {"France", "!16\\-00\\-00\\-00\\-00;0;_"},
        {"Germany", "!\\(999 99\\) 99999;0;_"},
        {"Italy", "!\\(9999\\) 0000 0000;0;_"},
        {"Netherlands", "!\\00099\\-0000999;0;_"},
        {"Norway", "00 09 99 99;0;_"},
        {"Spain", "!\\(999\\)0000000;0;_"},
        {"Sweden", "00 09 99 99;0;_"},
        {"United Kingdom", "!\\00009 0000099;0;_"},
    }};
    return formats;
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<MaskPosition> ParsePattern(std::string_view pattern)
{
    std::vector<MaskPosition> positions;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\\') {
            if (++i < pattern.size()) // a "\" at the very end escapes nothing
                positions.push_back({MaskPosition::Literal, pattern[i]});
        } else if (c == '0') {
            positions.push_back({MaskPosition::RequiredDigit, 0});
        } else if (c == '9') {
            positions.push_back({MaskPosition::OptionalDigit, 0});
        } else {
            positions.push_back({MaskPosition::Literal, c});
        }
    }
    return positions;
}

// The digit typed at position `i` of the shown text, or 0 when there is none.
char DigitAt(std::string_view shown, std::size_t i)
{
    return i < shown.size() && IsDigit(shown[i]) ? shown[i] : 0;
}

} // namespace

EditMask ParseEditMask(std::string_view notation)
{
    EditMask mask;
    const std::size_t end = notation.find(';');
    std::string_view pattern = notation.substr(0, end);
    if (!pattern.empty() && pattern.front() == '!') {
        mask.leadingBlanks = true;
        pattern.remove_prefix(1);
    }
    mask.positions = ParsePattern(pattern);
    if (end == std::string_view::npos)
        return mask;
    const std::string_view rest = notation.substr(end + 1);
    const std::size_t second = rest.find(';');
    mask.saveLiterals = rest.substr(0, second) != "0";
    if (second != std::string_view::npos && second + 1 < rest.size() && !IsDigit(rest[second + 1]))
        mask.blank = rest[second + 1];
    return mask;
}

std::string ToQtInputMask(const EditMask& mask)
{
    if (mask.IsFree())
        return {};
    std::string qt;
    for (const MaskPosition& position : mask.positions) {
        switch (position.kind) {
        case MaskPosition::RequiredDigit:
            qt += '9';
            break;
        case MaskPosition::OptionalDigit:
            qt += '0';
            break;
        case MaskPosition::Literal:
            qt += '\\';
            qt += position.literal;
            break;
        }
    }
    qt += ';';
    qt += mask.blank;
    return qt;
}

std::string PlainValue(std::string_view shown, const EditMask& mask)
{
    if (mask.IsFree())
        return std::string(shown);
    if (mask.saveLiterals)
        return DisplayedText(shown, mask);
    std::string plain;
    for (std::size_t i = 0; i < mask.positions.size(); ++i) {
        if (mask.positions[i].kind != MaskPosition::Literal && DigitAt(shown, i))
            plain += shown[i];
    }
    return plain;
}

std::string DisplayedText(std::string_view shown, const EditMask& mask)
{
    if (mask.IsFree())
        return std::string(shown);
    std::string text;
    for (std::size_t i = 0; i < mask.positions.size(); ++i) {
        if (mask.positions[i].kind == MaskPosition::Literal)
            text += mask.positions[i].literal;
        else if (DigitAt(shown, i))
            text += shown[i];
    }
    return text;
}

bool IsComplete(std::string_view shown, const EditMask& mask)
{
    for (std::size_t i = 0; i < mask.positions.size(); ++i) {
        if (mask.positions[i].kind == MaskPosition::RequiredDigit && !DigitAt(shown, i))
            return false;
    }
    return true;
}

std::size_t NextEntryPosition(std::string_view shown, const EditMask& mask)
{
    if (mask.IsFree())
        return shown.size();
    std::size_t next = 0;
    for (std::size_t i = 0; i < mask.positions.size(); ++i) {
        if (DigitAt(shown, i) && mask.positions[i].kind != MaskPosition::Literal)
            next = i + 1;
    }
    while (next < mask.positions.size() && mask.positions[next].kind == MaskPosition::Literal)
        ++next;
    return next;
}

} // namespace quillary
