// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Where a line ends: at CR, LF or CR LF, so files from any system read alike; or at LF alone, a
// CR just before it (or last in the stream) dropped, as the data file's own lines are read, where
// a CR inside a line is part of it.
enum class LineEnds
{
    Any,
    LineFeed,
};

// The lines of a text file, one at a time; the end of the stream ends the last line.
class TextLineReader
{
public:
    explicit TextLineReader(std::istream& in, LineEnds ends = LineEnds::Any) : m_in(in), m_ends(ends) {}

    // The next line without its end; false once the stream is used up. Throws FileError (with
    // no path) when the stream fails other than by ending.
    bool Next(std::string& line);
    // The same as a view, which holds until the next call. A line that lies whole in the buffer
    // is not copied at all.
    bool Next(std::string_view& line);

private:
    static constexpr int End = -1;
    int Peek();
    int Get();
    // The first line end in [begin, end), or end.
    const char* FindEnd(const char* begin, const char* end);
    // Reads past the line end at m_pos.
    void PassEnd();

    std::istream& m_in;
    LineEnds m_ends;
    std::vector<char> m_buffer = std::vector<char>(std::size_t{1} << 16);
    std::size_t m_pos = 0;
    std::size_t m_size = 0;
    const char* m_lineFeed = nullptr; // the buffer's next LF, or its end; none when not looked for
    std::string m_spanning; // a line that the buffer holds only part of
};

// Every line of the stream.
std::vector<std::string> ReadTextLines(std::istream& in);

} // namespace quillary
