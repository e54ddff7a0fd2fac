// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/byte_pieces.h"

#include "common/file_error.h"

#include <cstring>

namespace quillary {

BytePieces::BytePieces(std::istream& in) : m_in(in) {}

bool BytePieces::Next()
{
    if (m_last)
        return false;
    const std::size_t room = std::min(PieceSize, BufferSize - m_held);
    m_in.read(m_buffer.get() + m_held, static_cast<std::streamsize>(room));
    if (m_in.bad())
        throw FileError("", "Cannot read file");
    const auto got = static_cast<std::size_t>(m_in.gcount());
    m_held += got;
    m_last = got < room;
    return true;
}

void BytePieces::Take(std::size_t count)
{
    m_held -= count;
    std::memmove(m_buffer.get(), m_buffer.get() + count, m_held);
}

} // namespace quillary
