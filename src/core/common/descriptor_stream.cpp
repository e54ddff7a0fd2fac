// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/descriptor_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillary {

namespace {
constexpr std::size_t BufferSize = 64 * 1024;
}

DescriptorBuffer::DescriptorBuffer(int fd) : m_fd(fd), m_buffer(BufferSize)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool DescriptorBuffer::WriteAll(const char* data, std::size_t size)
{
    while (size > 0 && m_error == 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_error = written < 0 ? errno : EIO;
            break;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return m_error == 0;
}

bool DescriptorBuffer::Drain()
{
    const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return written;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize DescriptorBuffer::xsputn(const char* text, std::streamsize size)
{
    const auto count = static_cast<std::size_t>(size);
    if (count == 0)
        return 0;
    if (count <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), text, count);
        pbump(static_cast<int>(count));
        return size;
    }
    // A large piece goes straight to the file instead of through the buffer.
    if (!Drain() || !WriteAll(text, count))
        return 0;
    return size;
}

int DescriptorBuffer::sync()
{
    return Drain() ? 0 : -1;
}

} // namespace quillary
