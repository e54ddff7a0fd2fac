// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_line_reader.h"

#include "common/file_error.h"

namespace quillary {

int TextLineReader::Peek()
{
    if (m_pos == m_size) {
        m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        if (m_in.bad())
            throw FileError("", "Cannot read file");
        m_size = static_cast<std::size_t>(m_in.gcount());
        m_pos = 0;
        if (m_size == 0)
            return End;
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int TextLineReader::Get()
{
    const int c = Peek();
    if (c != End)
        ++m_pos;
    return c;
}

bool TextLineReader::Next(std::string& line)
{
    line.clear();
    bool read = false;
    for (int c = Get(); c != End; c = Get()) {
        read = true;
        if (c == '\n')
            return true;
        // A lone CR ends a line too (old Mac files): only an LF right after it belongs to it.
        if (c == '\r') {
            if (Peek() == '\n')
                Get();
            return true;
        }
        line += static_cast<char>(c);
    }
    return read;
}

std::vector<std::string> ReadTextLines(std::istream& in)
{
    TextLineReader reader(in);
    std::vector<std::string> lines;
    for (std::string line; reader.Next(line);)
        lines.push_back(std::move(line));
    return lines;
}

} // namespace quillary
