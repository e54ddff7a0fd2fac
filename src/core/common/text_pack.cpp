// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_pack.h"

#include "common/block_pool.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace quillary {

namespace {
// A length byte of this value is followed by the length in four bytes.
constexpr unsigned char LongLength = 255;
} // namespace

// Walks the fields of a block in order.
class TextPack::Reader
{
public:
    explicit Reader(const char* block) : m_at(block + 1), m_left(static_cast<unsigned char>(*block)) {}
    bool AtEnd() const noexcept { return m_left == 0; }
    const char* At() const noexcept { return m_at; }
    std::string_view Next() noexcept
    {
        --m_left;
        std::size_t length = static_cast<unsigned char>(*m_at++);
        if (length == LongLength) {
            std::uint32_t longLength;
            std::memcpy(&longLength, m_at, sizeof longLength);
            m_at += sizeof longLength;
            length = longLength;
        }
        const std::string_view text(m_at, length);
        m_at += length;
        return text;
    }

private:
    const char* m_at;
    std::size_t m_left;
};

namespace {

std::size_t EncodedSize(std::string_view text)
{
    return (text.size() < LongLength ? 1 : 5) + text.size();
}

char* Encode(char* out, std::string_view text)
{
    if (text.size() < LongLength) {
        *out++ = static_cast<char>(text.size());
    } else {
        *out++ = static_cast<char>(LongLength);
        const auto length = static_cast<std::uint32_t>(text.size());
        std::memcpy(out, &length, sizeof length);
        out += sizeof length;
    }
    if (!text.empty()) // an empty view may hold no address at all
        std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

} // namespace

TextPack::~TextPack()
{
    Release();
}

TextPack& TextPack::operator=(TextPack&& other) noexcept
{
    if (this != &other) {
        Release();
        m_block = std::exchange(other.m_block, nullptr);
    }
    return *this;
}

std::size_t TextPack::BlockSize() const noexcept
{
    Reader reader(m_block);
    while (!reader.AtEnd())
        reader.Next();
    return static_cast<std::size_t>(reader.At() - m_block);
}

void TextPack::Release() noexcept
{
    if (m_block)
        BlockPool::SharedText().Free(m_block, BlockSize());
    m_block = nullptr;
}

TextView TextPack::Get(std::size_t index) const noexcept
{
    if (!m_block)
        return {};
    Reader reader(m_block);
    for (std::size_t i = 0; i < index && !reader.AtEnd(); ++i)
        reader.Next();
    return reader.AtEnd() ? TextView() : TextView(reader.Next());
}

void TextPack::Set(std::size_t first, std::span<const std::string_view> texts)
{
    std::string_view fields[MostTexts];
    std::size_t count = 0;
    if (m_block) {
        Reader reader(m_block);
        while (!reader.AtEnd() && count < MostTexts)
            fields[count++] = reader.Next();
    }
    if (first + texts.size() > MostTexts)
        throw std::length_error("too many text fields");
    if (first > count)
        std::fill(fields + count, fields + first, std::string_view());
    std::copy(texts.begin(), texts.end(), fields + first);
    count = std::max(count, first + texts.size());
    while (count > 0 && fields[count - 1].empty())
        --count;

    std::size_t size = 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (fields[i].size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("text too long for an item field");
        size += EncodedSize(fields[i]);
    }
    char* block = nullptr;
    if (count > 0) {
        block = static_cast<char*>(BlockPool::SharedText().Allocate(size));
        *block = static_cast<char>(count);
        char* out = block + 1;
        for (std::size_t i = 0; i < count; ++i)
            out = Encode(out, fields[i]);
    }
    // The texts set may be views of the old block, so it goes only now.
    Release();
    m_block = block;
}

std::ostream& operator<<(std::ostream& out, TextView text)
{
    return out << text.View();
}

} // namespace quillary
