// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/descriptor_input.h"

#include <cerrno>
#include <unistd.h>

namespace quillary {

DescriptorInput::DescriptorInput(int fd) : m_fd(fd), m_buffer(1 << 16) {}

DescriptorInput::int_type DescriptorInput::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (m_error != 0)
        return traits_type::eof();
    for (;;) {
        const ssize_t count = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (count > 0) {
            setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + count);
            return traits_type::to_int_type(*gptr());
        }
        if (count == 0)
            return traits_type::eof();
        if (errno != EINTR) {
            m_error = errno;
            return traits_type::eof();
        }
    }
}

} // namespace quillary
