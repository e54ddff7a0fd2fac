// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <streambuf>
#include <vector>

namespace quillary {

// A buffered input stream buffer over a file descriptor that is already open. A failed read
// ends the stream as its end would; Error() then tells that it was no end, and why.
class DescriptorInput final : public std::streambuf
{
public:
    explicit DescriptorInput(int fd);
    DescriptorInput(const DescriptorInput&) = delete;
    DescriptorInput& operator=(const DescriptorInput&) = delete;

    // The errno of the failed read; 0 while none failed.
    int Error() const { return m_error; }

protected:
    int_type underflow() override;

private:
    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

} // namespace quillary
