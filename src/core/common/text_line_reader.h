// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The lines of another program's text file, one at a time. A line ends at CR, LF or CR LF, so
// files from any system read alike; the end of the stream ends the last line.
class TextLineReader
{
public:
    explicit TextLineReader(std::istream& in) : m_in(in) {}

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

    std::istream& m_in;
    std::vector<char> m_buffer = std::vector<char>(std::size_t{1} << 16);
    std::size_t m_pos = 0;
    std::size_t m_size = 0;
    std::string m_spanning; // a line that the buffer holds only part of
};

// Every line of the stream.
std::vector<std::string> ReadTextLines(std::istream& in);

} // namespace quillary
