// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <streambuf>
#include <vector>

namespace quillary {

// A buffered output stream buffer over a file descriptor that is already open: the standard
// library opens files only by name, which would let a name swapped in the meantime redirect the
// write. A failed write makes the stream fail; Error() tells why.
class DescriptorBuffer final : public std::streambuf
{
public:
    explicit DescriptorBuffer(int fd);
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // The errno of the first failed write; 0 while none failed.
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int sync() override;

private:
    bool Drain();
    bool WriteAll(const char* data, std::size_t size);

    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

} // namespace quillary
