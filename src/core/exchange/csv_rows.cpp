// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_rows.h"

#include "common/field_limits.h"

#include <algorithm>

namespace quillary {

namespace {
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Appends a run of text without its NUL characters.
void AppendRun(std::string& value, std::string_view run)
{
    for (auto nul = run.find('\0'); nul != std::string_view::npos; nul = run.find('\0')) {
        value.append(run.substr(0, nul));
        run.remove_prefix(nul + 1);
    }
    value.append(run);
}
} // namespace

bool CsvRowReader::Next(CsvRow& row)
{
    if (m_pos >= m_text.size())
        return false;
    row.line = m_line;
    row.values.resize(1);
    Field(row.values.front());
    std::string value;
    while (m_pos < m_text.size() && m_text[m_pos] == m_separator) {
        ++m_pos;
        Field(value);
        // A row over the cap keeps one value more, enough to be refused, not all of them.
        if (row.values.size() <= MaxFieldsPerRow)
            row.values.push_back(std::move(value));
    }
    SkipLineEnd();
    ++m_line;
    return true;
}

bool CsvRowReader::NextNonBlank(CsvRow& row)
{
    while (Next(row))
        if (!row.Blank())
            return true;
    return false;
}

// Called at a line end or the end of the text.
void CsvRowReader::SkipLineEnd()
{
    if (m_pos >= m_text.size())
        return;
    if (m_text[m_pos++] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
        ++m_pos;
}

// Cells are taken a run at a time up to the next separator or line end.
void CsvRowReader::Field(std::string& value)
{
    value.clear();
    if (m_pos < m_text.size() && m_text[m_pos] == '"')
        Quoted(value);
    const auto end = std::find_if(m_text.begin() + static_cast<std::ptrdiff_t>(m_pos), m_text.end(),
                                  [this](char c) { return c == m_separator || IsLineEnd(c); });
    const auto stop = static_cast<std::size_t>(end - m_text.begin());
    AppendRun(value, m_text.substr(m_pos, stop - m_pos));
    m_pos = stop;
}

// Reads a quoted part into value, which starts empty; leaves everything as it was when the
// quote never closes.
void CsvRowReader::Quoted(std::string& value)
{
    std::size_t lines = 0;
    for (std::size_t i = m_pos + 1; i < m_text.size();) {
        const std::size_t run = m_text.find_first_of(std::string_view("\"\r\n", 3), i);
        AppendRun(value, m_text.substr(i, std::min(run, m_text.size()) - i));
        if (run == std::string_view::npos)
            break;
        i = run + 1;
        const char c = m_text[run];
        if (c == '"' && i < m_text.size() && m_text[i] == '"') {
            value += c;
            ++i;
        } else if (c == '"') {
            m_pos = i;
            m_line += lines;
            return;
        } else {
            value += '\n';
            ++lines;
            if (c == '\r' && i < m_text.size() && m_text[i] == '\n')
                ++i;
        }
    }
    value.clear();
}

std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator)
{
    std::vector<CsvRow> rows;
    CsvRowReader reader(text, separator);
    for (CsvRow row; reader.Next(row);)
        rows.push_back(std::move(row));
    return rows;
}

std::vector<std::string> SplitCsvLine(std::string_view line, char separator)
{
    CsvRow row;
    return CsvRowReader(line, separator).Next(row) ? std::move(row.values) : std::vector<std::string>{};
}

} // namespace quillary
