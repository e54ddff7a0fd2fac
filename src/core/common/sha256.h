// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

// SHA-256 (FIPS 180-4), fed in pieces: the digest by which a value kept elsewhere is known again.
class Sha256
{
public:
    Sha256();
    void Add(std::string_view bytes);
    // The digest as 64 lower-case hexadecimal digits; the object is spent afterwards.
    std::string HexDigest();

private:
    void Block(const unsigned char* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<unsigned char, 64> m_pending{};
    std::size_t m_pendingSize = 0;
    std::uint64_t m_length = 0;
};

// The hexadecimal SHA-256 of bytes.
std::string Sha256Hex(std::string_view bytes);

} // namespace quillary
