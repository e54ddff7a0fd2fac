// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillary {

// How one running copy and a newly started one talk: the newcomer sends one frame holding its
// command line; the running copy answers FrameReceived at once and, after handling the command
// line, FrameAcknowledged (or FrameRefused instead of both).
constexpr char FrameReceived = 'r';
constexpr char FrameAcknowledged = 'A';
constexpr char FrameRefused = 'R';

// Far more than any command line the system lets a program have; a longer frame is refused
// before its text is read, so a stray client cannot make the running copy hoard memory.
constexpr qsizetype MaxFrameBytes = 4 * 1024 * 1024;

// The text's UTF-8 length as four big-endian bytes, then the UTF-8 bytes.
QByteArray EncodeFrame(const QString& text);

// Collects one frame from pieces of any size, as a socket hands them over.
class FrameDecoder
{
public:
    enum class State { Incomplete, Complete, Oversize };

    // Adds bytes; once the frame is complete or refused, later bytes are ignored.
    State Feed(const QByteArray& bytes);
    State Current() const { return m_state; }
    // The frame's text, once complete.
    const QString& Text() const { return m_text; }

private:
    QByteArray m_buffer;
    QString m_text;
    State m_state = State::Incomplete;
};

} // namespace quillary
