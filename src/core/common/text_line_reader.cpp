// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_line_reader.h"

#include "common/file_error.h"

#include <cstring>
#include <utility>

namespace quillary {

int TextLineReader::Peek()
{
    if (m_pos == m_size) {
        m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        if (m_in.bad())
            throw FileError("", "Cannot read file");
        m_size = static_cast<std::size_t>(m_in.gcount());
        m_pos = 0;
        m_lineFeed = nullptr;
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

const char* TextLineReader::FindEnd(const char* begin, const char* end)
{
    // The C library finds one byte fastest. The next LF is kept, so a file of CRs alone is not
    // searched to the buffer's end for an LF at every line.
    if (!m_lineFeed || m_lineFeed < begin) {
        const void* found = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
        m_lineFeed = found ? static_cast<const char*>(found) : end;
    }
    if (m_ends == LineEnds::LineFeed)
        return m_lineFeed;
    const void* carriageReturn = std::memchr(begin, '\r', static_cast<std::size_t>(m_lineFeed - begin));
    return carriageReturn ? static_cast<const char*>(carriageReturn) : m_lineFeed;
}

void TextLineReader::PassEnd()
{
    // A lone CR ends a line too (old Mac files): only an LF right after it belongs to it.
    if (Get() == '\r' && Peek() == '\n')
        Get();
}

bool TextLineReader::Next(std::string& line)
{
    line.clear();
    bool read = false;
    while (Peek() != End) {
        read = true;
        // Whole runs up to a line end are copied at once; a line may span buffer refills.
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_size;
        const char* stop = FindEnd(begin, end);
        line.append(begin, stop);
        m_pos += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        PassEnd();
        break;
    }
    if (m_ends == LineEnds::LineFeed && line.ends_with('\r'))
        line.pop_back();
    return read;
}

bool TextLineReader::Next(std::string_view& line)
{
    if (Peek() == End)
        return false;
    const char* begin = m_buffer.data() + m_pos;
    const char* end = m_buffer.data() + m_size;
    const char* stop = FindEnd(begin, end);
    // A CR last in the buffer needs a refill to see whether an LF follows, which would move the
    // line's bytes: such a line is copied like one that runs past the buffer.
    if (stop == end || (*stop == '\r' && stop + 1 == end)) {
        Next(m_spanning);
        line = m_spanning;
        return true;
    }
    m_pos += static_cast<std::size_t>(stop - begin) + 1;
    if (*stop == '\r' && stop[1] == '\n')
        ++m_pos;
    line = std::string_view(begin, static_cast<std::size_t>(stop - begin));
    if (m_ends == LineEnds::LineFeed && line.ends_with('\r'))
        line.remove_suffix(1);
    return true;
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
