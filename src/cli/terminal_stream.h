// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace quillary::cli {

// An output stream for text that may hold what files supplied (titles, reasons, file names):
// each line reaches the real stream through TerminalText, so no control character from a file
// gets to the terminal. Lines are handed on when they end and when the stream is flushed.
class TerminalStream : public std::ostream
{
public:
    explicit TerminalStream(std::ostream& target);
    ~TerminalStream() override;
    TerminalStream(const TerminalStream&) = delete;
    TerminalStream& operator=(const TerminalStream&) = delete;

private:
    class LineBuffer : public std::streambuf
    {
    public:
        explicit LineBuffer(std::ostream& target) : m_target(target) {}
        int sync() override;

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;

    private:
        void HandOn(bool lineEnded);
        std::ostream& m_target;
        std::string m_line;
    };

    LineBuffer m_buffer;
};

} // namespace quillary::cli
