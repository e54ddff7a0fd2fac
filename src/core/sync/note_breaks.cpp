// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/note_breaks.h"

#include "exchange/vcard_content_lines.h"
#include "exchange/vcard_escapes.h"

#include <optional>
#include <vector>

namespace quillary {

namespace {
bool IsBreakOrBlank(char c)
{
    return c == '\n' || c == '\r' || c == ' ' || c == '\t';
}

// For each place in flat (and its end), the place in text it was read from, where the reading
// made blanks of line breaks and may have run blanks together; none when flat is not text's reading.
std::optional<std::vector<std::size_t>> Places(const std::string& text, const std::string& flat)
{
    std::vector<std::size_t> at(flat.size() + 1, text.size());
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < flat.size()) {
        if (i < text.size() && (text[i] == flat[j] || (flat[j] == ' ' && IsBreakOrBlank(text[i]))))
            at[j++] = i++;
        else if (i < text.size() && IsBreakOrBlank(text[i]))
            ++i;
        else
            return std::nullopt;
    }
    while (i < text.size() && IsBreakOrBlank(text[i]))
        ++i;
    return i == text.size() ? std::optional(at) : std::nullopt;
}
} // namespace

std::string NoteWithBreaks(std::string_view card, std::string_view old, std::string_view edited)
{
    const std::string text = UnescapeValue(std::string(card));
    const std::string before = UnescapeValue(std::string(old));
    const std::string after = UnescapeValue(std::string(edited));
    const auto places = Places(text, before);
    if (!places)
        return std::string(edited);
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::size_t from = (*places)[prefix];
    const std::size_t to = (*places)[before.size() - suffix];
    return EscapeCardText(text.substr(0, from) + after.substr(prefix, after.size() - prefix - suffix) + text.substr(to));
}

} // namespace quillary
