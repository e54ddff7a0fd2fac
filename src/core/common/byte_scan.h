// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quillary {

namespace byte_scan {
constexpr std::uint64_t Ones = 0x0101010101010101;
constexpr std::uint64_t Highs = 0x8080808080808080;

// The high bit of every byte of word that equals byte. A borrow may also mark a byte above a
// match, never below one, so the lowest mark is always a true match.
constexpr std::uint64_t Matches(std::uint64_t word, unsigned char byte)
{
    const std::uint64_t x = word ^ (Ones * byte);
    return (x - Ones) & ~x & Highs;
}

// The high bit of every byte of word below limit (at most 128), and perhaps of bytes above such a
// byte; none is marked when no byte is below limit.
constexpr std::uint64_t Below(std::uint64_t word, unsigned char limit)
{
    return (word - Ones * limit) & ~word & Highs;
}

// The eight bytes from at as a word, the first in its lowest byte.
inline std::uint64_t Word(const char* at)
{
    static_assert(std::endian::native == std::endian::little, "the lowest byte of a word comes first");
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The one to seven bytes of [begin, end) as the low bytes of a word, the rest zero. Most texts
// are short: their bytes are gathered in two or three loads that stay within the range, where a
// loop would compare each byte with each value.
inline std::uint64_t Tail(const char* begin, const char* end)
{
    const auto left = static_cast<unsigned>(end - begin);
    if (left >= 4) {
        // Two loads of four that overlap as much as the length asks; shared bytes agree.
        std::uint32_t low, high;
        std::memcpy(&low, begin, sizeof low);
        std::memcpy(&high, end - 4, sizeof high);
        return low | std::uint64_t{high} << (8 * (left - 4));
    }
    const auto byte = [&](unsigned at) { return std::uint64_t{static_cast<unsigned char>(begin[at])} << (8 * at); };
    return byte(0) | byte(left / 2) | byte(left - 1);
}

// The first byte of [begin, end) that marks sets a high bit for, or end: marks maps a word to the
// high bits of its bytes that qualify, the lowest mark being always a true one. The tail's missing
// bytes read as 0 and are masked off, whatever marks makes of them.
// Inlined into each caller, so the marks of each are computed in its loop without a call.
template <typename Marks>
[[gnu::always_inline]] inline const char* FindMarked(const char* begin, const char* end, Marks marks)
{
    for (; end - begin >= 8; begin += 8) {
        if (const std::uint64_t found = marks(Word(begin)))
            return begin + std::countr_zero(found) / 8;
    }
    if (begin == end)
        return end;
    const auto left = static_cast<unsigned>(end - begin);
    const std::uint64_t found = marks(Tail(begin, end)) & (~std::uint64_t{0} >> (64 - 8 * left));
    return found ? begin + std::countr_zero(found) / 8 : end;
}
} // namespace byte_scan

// The first byte of [begin, end) that is one of bytes, or end. Lines and fields are scanned
// eight bytes a step, where a byte-by-byte loop would compare each byte with each value.
template <typename... Bytes> const char* FindAnyByte(const char* begin, const char* end, Bytes... bytes)
{
    return byte_scan::FindMarked(begin, end, [&](std::uint64_t word) {
        return (byte_scan::Matches(word, static_cast<unsigned char>(bytes)) | ...);
    });
}

// Whether [begin, end) holds a byte below limit (at most 128).
inline bool HoldsByteBelow(const char* begin, const char* end, unsigned char limit)
{
    return byte_scan::FindMarked(begin, end, [&](std::uint64_t word) { return byte_scan::Below(word, limit); }) !=
           end;
}

// Whether [begin, end) holds a byte below limit (at most 128) or equal to byte: one test for a
// class of bytes where FindAnyByte would compare with each of them.
inline bool HoldsByteBelowOr(const char* begin, const char* end, unsigned char limit, unsigned char byte)
{
    return byte_scan::FindMarked(begin, end, [&](std::uint64_t word) {
               return byte_scan::Below(word, limit) | byte_scan::Matches(word, byte);
           }) != end;
}

} // namespace quillary
