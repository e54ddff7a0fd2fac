// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal_stream.h"

#include "common/terminal_text.h"

namespace quillary::cli {

TerminalStream::TerminalStream(std::ostream& target) : std::ostream(&m_buffer), m_buffer(target) {}

TerminalStream::~TerminalStream()
{
    m_buffer.sync();
}

void TerminalStream::LineBuffer::HandOn(bool lineEnded)
{
    m_target << TerminalText(m_line);
    if (lineEnded)
        m_target << '\n';
    m_line.clear();
}

TerminalStream::LineBuffer::int_type TerminalStream::LineBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    if (character == '\n')
        HandOn(true);
    else
        m_line += character;
    return c;
}

std::streamsize TerminalStream::LineBuffer::xsputn(const char* text, std::streamsize count)
{
    for (std::streamsize i = 0; i < count; ++i)
        overflow(traits_type::to_int_type(text[i]));
    return count;
}

int TerminalStream::LineBuffer::sync()
{
    if (!m_line.empty())
        HandOn(false);
    m_target.flush();
    return m_target ? 0 : -1;
}

} // namespace quillary::cli
