// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <string_view>

namespace quillary {

// A stream's bytes a piece at a time, for readers that may leave the end of a piece untaken (a
// character cut in two): those bytes come again at the front of the next piece.
class BytePieces
{
public:
    explicit BytePieces(std::istream& in);

    // Reads the next piece; false once the stream has ended. Throws FileError (with no path)
    // when the stream fails other than by ending.
    bool Next();
    std::string_view Bytes() const { return {m_buffer.get(), m_held}; }
    // Nothing follows the bytes of this piece.
    bool Last() const { return m_last; }
    // The reader took count bytes from the front; the rest stays for the next piece.
    void Take(std::size_t count);

private:
    static constexpr std::size_t PieceSize = std::size_t{1} << 18;
    // Room for a piece and the few bytes a reader may leave.
    static constexpr std::size_t BufferSize = PieceSize + 8;

    std::istream& m_in;
    std::unique_ptr<char[]> m_buffer = std::make_unique_for_overwrite<char[]>(BufferSize);
    std::size_t m_held = 0;
    bool m_last = false;
};

} // namespace quillary
