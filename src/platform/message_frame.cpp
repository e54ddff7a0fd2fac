// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_frame.h"

#include <QtEndian>

namespace quillary {

namespace {

constexpr qsizetype HeaderBytes = 4;

} // namespace

QByteArray EncodeFrame(const QString& text)
{
    const QByteArray payload = text.toUtf8();
    QByteArray frame(HeaderBytes, '\0');
    qToBigEndian(static_cast<quint32>(payload.size()), frame.data());
    return frame + payload;
}

FrameDecoder::State FrameDecoder::Feed(const QByteArray& bytes)
{
    if (m_state != State::Incomplete)
        return m_state;
    m_buffer += bytes;
    if (m_buffer.size() < HeaderBytes)
        return m_state;
    const qsizetype length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > MaxFrameBytes) {
        m_buffer.clear();
        return m_state = State::Oversize;
    }
    if (m_buffer.size() < HeaderBytes + length)
        return m_state;
    m_text = QString::fromUtf8(m_buffer.constData() + HeaderBytes, length);
    m_buffer.clear();
    return m_state = State::Complete;
}

} // namespace quillary
