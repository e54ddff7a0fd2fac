// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillary {

// The fields of a detail line, split at every "~~" from the left, held in place: a file's
// every record has one, and a vector each would be an allocation each. Only the first Most - 1
// fields are told apart; the last one held keeps the rest of the line, separators and all. No
// kind reads that far.
class DetailFields
{
public:
    static constexpr std::size_t Most = 16;

    void Split(std::string_view text);
    std::size_t size() const { return m_count; }
    std::string_view operator[](std::size_t index) const { return m_fields[index]; }
    // The field, or empty when the line has none there.
    std::string_view At(std::size_t index) const { return index < m_count ? m_fields[index] : std::string_view(); }
    // Whether every field is already fit to store (IsCleanFieldText), told by one scan of the
    // line rather than one of each field. A field split off at the leftmost "~~" can neither
    // hold "~~" nor end in '~': only control characters, and the last field's tildes, can make
    // one unfit. False may also mean only that the fields must be looked at one by one.
    bool Clean() const { return m_clean; }

private:
    std::array<std::string_view, Most> m_fields;
    std::size_t m_count = 0;
    bool m_clean = false;
};

} // namespace quillary
