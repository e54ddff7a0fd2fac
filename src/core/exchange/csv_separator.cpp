// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_separator.h"

#include <array>
#include <cstddef>

namespace quillary {

namespace {
constexpr std::array<CsvSeparator, 3> Candidates = {CsvSeparator::Comma, CsvSeparator::Semicolon, CsvSeparator::Tab};
constexpr int LinesLooked = 10;

struct Tally
{
    std::array<int, Candidates.size()> firstLine{};
    std::array<int, Candidates.size()> allLines{};
};

// A line break inside quotes belongs to the field, so lines here are the file's rows.
Tally CountSeparators(std::string_view text)
{
    Tally tally;
    bool quoted = false;
    int line = 0;
    for (std::size_t i = 0; i < text.size() && line < LinesLooked; ++i) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            line += c == '\n' || i + 1 >= text.size() || text[i + 1] != '\n';
        for (std::size_t k = 0; k < Candidates.size(); ++k) {
            if (quoted || c != SeparatorChar(Candidates[k]))
                continue;
            ++tally.allLines[k];
            if (line == 0)
                ++tally.firstLine[k];
        }
    }
    return tally;
}
} // namespace

char SeparatorChar(CsvSeparator separator)
{
    switch (separator) {
    case CsvSeparator::Semicolon:
        return ';';
    case CsvSeparator::Tab:
        return '\t';
    default:
        return ',';
    }
}

CsvSeparator DetectCsvSeparator(std::string_view text)
{
    const Tally tally = CountSeparators(text);
    std::size_t best = 0;
    for (std::size_t k = 1; k < Candidates.size(); ++k) {
        if (tally.firstLine[k] > tally.firstLine[best] ||
            (tally.firstLine[k] == tally.firstLine[best] && tally.allLines[k] > tally.allLines[best]))
            best = k;
    }
    return Candidates[best];
}

} // namespace quillary
