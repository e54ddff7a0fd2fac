// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/compact_text.h"

#include "common/block_pool.h"

#include <limits>
#include <ostream>
#include <stdexcept>

namespace quillary {

void CompactText::Assign(std::string_view text)
{
    if (text.size() <= InlineCapacity) {
        std::memcpy(m_bytes, text.data(), text.size());
        SetInline(text.size());
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("text too long for an item field");
    auto* block = static_cast<char*>(BlockPool::Shared().Allocate(text.size() + 1));
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(m_bytes, &block, sizeof block);
    std::memcpy(m_bytes + sizeof block, &size, sizeof size);
    m_bytes[InlineCapacity] = static_cast<char>(HeapTag);
}

void CompactText::FreeBlock() noexcept
{
    BlockPool::Shared().Free(const_cast<char*>(HeapData()), HeapSize() + 1);
}

std::string CompactText::Joined(std::string_view a, std::string_view b)
{
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    return joined;
}

std::ostream& operator<<(std::ostream& out, const CompactText& text)
{
    return out << text.View();
}

} // namespace quillary
