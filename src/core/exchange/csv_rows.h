// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One row of a delimited text file as today's programs write it, with the file line it starts on
// (counting from 1).
struct CsvRow
{
    std::size_t line = 0;
    std::vector<std::string> values;

    // An empty line gives one empty value.
    bool Blank() const { return values.size() == 1 && values.front().empty(); }
};

// Splits text into rows at CR, LF or CR LF and into fields at the separator. A field that starts
// with a double quote runs to its closing quote, may hold separators and line breaks (each break,
// CR LF included, becomes one LF, so an address keeps its lines) and writes a double quote as two; text after the
// closing quote is kept. A quote that never closes is taken as an ordinary character, so one stray quote cannot swallow
// the rest of the file. NUL characters are dropped. A row of more than MaxFieldsPerRow fields keeps
// MaxFieldsPerRow + 1 of them, so it can be refused without holding them all.
std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator);

// The same rows one at a time, so a large file is never held as rows all at once.
class CsvRowReader
{
public:
    CsvRowReader(std::string_view text, char separator) : m_text(text), m_separator(separator) {}
    // The next row; false at the end of the text.
    bool Next(CsvRow& row);
    // The rows that are not blank.
    bool NextNonBlank(CsvRow& row);
    // How much of the text has been read, in bytes.
    std::size_t Position() const { return m_pos; }

private:
    void SkipLineEnd();
    void Field(std::string& value);
    void Quoted(std::string& value);

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
};

// The values of one line split the same way.
std::vector<std::string> SplitCsvLine(std::string_view line, char separator);

} // namespace quillary
