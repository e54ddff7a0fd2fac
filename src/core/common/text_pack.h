// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_view.h"

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

namespace quillary {

// The text fields of one owner, numbered from 0, in one block of the shared pool: a pointer's
// size in the owner however many fields it has. A large address book holds millions of mostly
// short fields, many of them empty, where a string each would cost more than the text.
//
// Setting a field builds the block anew, so every TextView of the pack is invalid afterwards
// (the texts being set may themselves be views of it). Fields never set read as empty.
class TextPack
{
public:
    // Fields are numbered below this.
    static constexpr std::size_t MostTexts = 16;

    TextPack() noexcept = default;
    TextPack(std::initializer_list<std::string_view> texts) { Set(0, texts); }
    ~TextPack();
    TextPack(const TextPack&) = delete;
    TextPack& operator=(const TextPack&) = delete;
    TextPack(TextPack&& other) noexcept : m_block(std::exchange(other.m_block, nullptr)) {}
    TextPack& operator=(TextPack&& other) noexcept;

    TextView Get(std::size_t index) const noexcept;
    // Fields 0 to texts.size() - 1 in one walk of the block, for a reader of most of them.
    void GetAll(std::span<TextView> texts) const noexcept;
    void Prefetch() const noexcept { __builtin_prefetch(m_block); }
    // Sets fields first, first + 1, ... to texts, in one rebuilding of the block.
    void Set(std::size_t first, std::span<const std::string_view> texts);
    void Set(std::size_t first, std::initializer_list<std::string_view> texts)
    {
        Set(first, std::span(texts.begin(), texts.size()));
    }
    void Set(std::size_t index, std::string_view text) { Set(index, std::span(&text, 1)); }

private:
    // The block: the number of fields it holds in one byte, then each field up to the last
    // non-empty one as its length (one byte below 191, or 255 and four bytes) and its bytes, or
    // as a reference of two bytes to a text of SharedTexts.
    // Its size is walked out when it is given back, which is rarer than reading it.
    class Reader;
    struct Field;
    // Reads the block's fields into fields (room for MostTexts); returns how many it holds.
    std::size_t ReadFields(Field* fields) const noexcept;
    // Makes the block anew of the first count fields.
    void Build(const Field* fields, std::size_t count);
    std::size_t BlockSize() const noexcept;
    void Release() noexcept;

    char* m_block = nullptr;
};

} // namespace quillary
