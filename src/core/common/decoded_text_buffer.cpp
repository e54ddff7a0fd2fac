// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/decoded_text_buffer.h"

namespace quillary {

DecodedTextBuffer::DecodedTextBuffer(std::istream& bytes, TextEncoding encoding)
    : m_pieces(bytes), m_decoder(encoding)
{
}

// A failure to read throws; the stream on this buffer then shows it as its bad bit.
DecodedTextBuffer::int_type DecodedTextBuffer::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    m_text.clear();
    while (m_text.empty() && m_pieces.Next())
        m_pieces.Take(m_decoder.Decode(m_pieces.Bytes(), m_text, m_pieces.Last()));
    if (m_text.empty())
        return traits_type::eof();
    setg(m_text.data(), m_text.data(), m_text.data() + m_text.size());
    return traits_type::to_int_type(*gptr());
}

} // namespace quillary
