// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_pack.h"

#include "common/block_pool.h"
#include "common/shared_texts.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace quillary {

namespace {
// A length byte from FirstReference up to LongLength starts a reference to a shared text: its
// distance from FirstReference and the byte after it number the entry. A length byte of
// LongLength is followed by the length in four bytes.
constexpr unsigned char FirstReference = 191;
constexpr unsigned char LongLength = 255;
static_assert(SharedTexts::MostEntries == std::uint32_t(LongLength - FirstReference) << 8);

} // namespace

// A field as the block holds it: its text, and the shared entry it names if it names one.
struct TextPack::Field
{
    std::string_view text;
    std::uint32_t entry = SharedTexts::NotKept;
};

// Walks the fields of a block in order.
class TextPack::Reader
{
public:
    explicit Reader(const char* block) : m_at(block + 1), m_left(static_cast<unsigned char>(*block)) {}
    bool AtEnd() const noexcept { return m_left == 0; }
    const char* At() const noexcept { return m_at; }
    std::string_view Next() noexcept { return NextField().text; }
    Field NextField() noexcept
    {
        --m_left;
        const std::size_t length = static_cast<unsigned char>(*m_at++);
        if (length >= FirstReference && length < LongLength) {
            const auto low = static_cast<unsigned char>(*m_at++);
            const std::uint32_t entry = std::uint32_t(length - FirstReference) << 8 | low;
            return {SharedTexts::Shared().Text(entry), entry};
        }
        // The long length is read first: it moves m_at past itself.
        const std::size_t size = length == LongLength ? LongLengthAt() : length;
        const std::string_view text(m_at, size);
        m_at += size;
        return {text};
    }
    // Passes a field by without reading its text.
    void Skip() noexcept
    {
        --m_left;
        const std::size_t length = static_cast<unsigned char>(*m_at++);
        if (length >= FirstReference && length < LongLength)
            ++m_at;
        else
            m_at += length == LongLength ? LongLengthAt() : length;
    }

private:
    std::size_t LongLengthAt() noexcept
    {
        std::uint32_t length;
        std::memcpy(&length, m_at, sizeof length);
        m_at += sizeof length;
        return length;
    }

    const char* m_at;
    std::size_t m_left;
};

namespace {

// entry is the shared text's, or NotKept for text held in the block.
std::size_t EncodedSize(std::string_view text, std::uint32_t entry)
{
    if (entry != SharedTexts::NotKept)
        return 2;
    return (text.size() < FirstReference ? 1 : 5) + text.size();
}

char* Encode(char* out, std::string_view text, std::uint32_t entry)
{
    if (entry != SharedTexts::NotKept) {
        *out++ = static_cast<char>(FirstReference + (entry >> 8));
        *out++ = static_cast<char>(entry & 0xFF);
        return out;
    }
    if (text.size() < FirstReference) {
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
        reader.Skip();
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
        reader.Skip();
    return reader.AtEnd() ? TextView() : TextView(reader.Next());
}

void TextPack::GetAll(std::span<TextView> texts) const noexcept
{
    std::size_t i = 0;
    if (m_block)
        for (Reader reader(m_block); i < texts.size() && !reader.AtEnd(); ++i)
            texts[i] = TextView(reader.Next());
    std::fill(texts.begin() + static_cast<std::ptrdiff_t>(i), texts.end(), TextView());
}

void TextPack::Set(std::size_t first, std::span<const std::string_view> texts)
{
    // Every field is written before it is read, so the room is not cleared first: texts are set
    // for every item of a file.
    union Room
    {
        Room() {}
        Field fields[MostTexts];
    } room;
    Field* fields = room.fields;
    std::size_t count = ReadFields(fields);
    if (first + texts.size() > MostTexts)
        throw std::length_error("too many text fields");
    if (first > count)
        std::fill(fields + count, fields + first, Field());
    // Setting what is there already (an empty extension on a new phone) builds nothing.
    const auto held = [&](std::size_t i) { return first + i < count ? fields[first + i].text : std::string_view(); };
    std::size_t same = 0;
    while (same < texts.size() && held(same) == texts[same])
        ++same;
    if (same == texts.size())
        return;
    std::uint32_t entries[MostTexts];
    SharedTexts::Shared().Offer(texts, entries);
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields[first + i] = {texts[i], entries[i]};
    Build(fields, std::max(count, first + texts.size()));
}

std::size_t TextPack::ReadFields(Field* fields) const noexcept
{
    std::size_t count = 0;
    if (m_block) {
        Reader reader(m_block);
        while (!reader.AtEnd() && count < MostTexts)
            fields[count++] = reader.NextField();
    }
    return count;
}

void TextPack::Build(const Field* fields, std::size_t count)
{
    while (count > 0 && fields[count - 1].text.empty())
        --count;
    std::size_t size = 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (fields[i].text.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("text too long for an item field");
        size += EncodedSize(fields[i].text, fields[i].entry);
    }
    char* block = nullptr;
    if (count > 0) {
        block = static_cast<char*>(BlockPool::SharedText().Allocate(size));
        *block = static_cast<char>(count);
        char* out = block + 1;
        for (std::size_t i = 0; i < count; ++i)
            out = Encode(out, fields[i].text, fields[i].entry);
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
