// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_rows.h"

#include "common/field_limits.h"

namespace quillary {

namespace {
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

class RowReader
{
public:
    RowReader(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    std::vector<CsvRow> Rows()
    {
        std::vector<CsvRow> rows;
        while (m_pos < m_text.size()) {
            CsvRow row{m_line, {}};
            row.values.push_back(Field());
            while (m_pos < m_text.size() && m_text[m_pos] == m_separator) {
                ++m_pos;
                std::string value = Field();
                // A row over the cap keeps one value more, enough to be refused, not all of them.
                if (row.values.size() <= MaxFieldsPerRow)
                    row.values.push_back(std::move(value));
            }
            SkipLineEnd();
            ++m_line;
            rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    // Called at a line end or the end of the text.
    void SkipLineEnd()
    {
        if (m_pos >= m_text.size())
            return;
        if (m_text[m_pos++] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
    }

    std::string Field()
    {
        std::string value;
        if (m_pos < m_text.size() && m_text[m_pos] == '"')
            Quoted(value);
        for (; m_pos < m_text.size() && m_text[m_pos] != m_separator && !IsLineEnd(m_text[m_pos]); ++m_pos)
            Append(value, m_text[m_pos]);
        return value;
    }

    // Reads a quoted part into value; leaves everything as it was when the quote never closes.
    void Quoted(std::string& value)
    {
        std::string quoted;
        std::size_t lines = 0;
        for (std::size_t i = m_pos + 1; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (c == '"' && i + 1 < m_text.size() && m_text[i + 1] == '"') {
                quoted += c;
                ++i;
            } else if (c == '"') {
                value += quoted;
                m_pos = i + 1;
                m_line += lines;
                return;
            } else if (IsLineEnd(c)) {
                quoted += '\n';
                ++lines;
                if (c == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n')
                    ++i;
            } else {
                Append(quoted, c);
            }
        }
    }

    static void Append(std::string& value, char c)
    {
        if (c != '\0')
            value += c;
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
};
} // namespace

std::vector<CsvRow> ReadCsvRows(std::string_view text, char separator)
{
    return RowReader(text, separator).Rows();
}

std::vector<std::string> SplitCsvLine(std::string_view line, char separator)
{
    std::vector<CsvRow> rows = ReadCsvRows(line, separator);
    return rows.empty() ? std::vector<std::string>{} : std::move(rows.front().values);
}

} // namespace quillary
