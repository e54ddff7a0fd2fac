// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace quillary {

// A text field of an item, in 16 bytes: texts of up to 15 bytes are kept in place, longer ones in
// one block of exactly their size. A large address book holds millions of these, mostly short,
// where a std::string takes 32 bytes each. It reads as a std::string_view and converts to a
// std::string, so code that reads item texts as either keeps working.
class CompactText
{
public:
    CompactText() noexcept { SetInline(0); }
    explicit CompactText(std::string_view text) { Assign(text); }
    CompactText(const CompactText& other) : CompactText(other.View()) {}
    CompactText(CompactText&& other) noexcept
    {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetInline(0);
    }
    ~CompactText() { Release(); }
    CompactText& operator=(const CompactText& other)
    {
        if (this != &other)
            *this = other.View();
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept
    {
        if (this != &other) {
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.SetInline(0);
        }
        return *this;
    }
    CompactText& operator=(std::string_view text)
    {
        CompactText fresh(text); // the text may live inside this one
        return *this = std::move(fresh);
    }

    std::string_view View() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return View(); }
    operator std::string() const { return std::string(View()); }

    const char* data() const noexcept { return IsHeap() ? HeapData() : m_bytes; }
    const char* c_str() const noexcept { return data(); }
    std::size_t size() const noexcept { return IsHeap() ? HeapSize() : InlineCapacity - Tag(); }
    std::size_t length() const noexcept { return size(); }
    bool empty() const noexcept { return size() == 0; }
    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }
    char front() const { return View().front(); }
    char back() const { return View().back(); }
    char operator[](std::size_t index) const { return data()[index]; }
    template <typename... Args> std::size_t find(Args&&... args) const
    {
        return View().find(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t rfind(Args&&... args) const
    {
        return View().rfind(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t find_first_of(Args&&... args) const
    {
        return View().find_first_of(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t find_first_not_of(Args&&... args) const
    {
        return View().find_first_not_of(std::forward<Args>(args)...);
    }
    std::string substr(std::size_t position, std::size_t count = std::string::npos) const
    {
        return std::string(View().substr(position, count));
    }
    bool starts_with(std::string_view prefix) const noexcept { return View().starts_with(prefix); }
    bool ends_with(std::string_view suffix) const noexcept { return View().ends_with(suffix); }
    int compare(std::string_view other) const noexcept { return View().compare(other); }

    friend bool operator==(const CompactText& a, const CompactText& b) noexcept { return a.View() == b.View(); }
    friend bool operator==(const CompactText& a, std::string_view b) noexcept { return a.View() == b; }
    friend auto operator<=>(const CompactText& a, const CompactText& b) noexcept
    {
        return a.View() <=> b.View();
    }
    friend auto operator<=>(const CompactText& a, std::string_view b) noexcept
    {
        return a.View() <=> b;
    }
    friend std::string operator+(const CompactText& a, std::string_view b) { return Joined(a.View(), b); }
    friend std::string operator+(std::string_view a, const CompactText& b) { return Joined(a, b.View()); }
    friend std::string operator+(const CompactText& a, const CompactText& b) { return Joined(a.View(), b.View()); }
    friend std::string operator+(const CompactText& a, char b) { return Joined(a.View(), std::string_view(&b, 1)); }
    friend std::string operator+(char a, const CompactText& b) { return Joined(std::string_view(&a, 1), b.View()); }

private:
    static constexpr std::size_t InlineCapacity = 15;
    static constexpr unsigned char HeapTag = 0xFF;

    // In place, the last byte holds the room left, so a full 15-byte text ends in its own zero.
    // Otherwise it holds HeapTag, and the first bytes the block's address and the text's size.
    unsigned char Tag() const noexcept { return static_cast<unsigned char>(m_bytes[InlineCapacity]); }
    bool IsHeap() const noexcept { return Tag() == HeapTag; }
    const char* HeapData() const noexcept
    {
        const char* block;
        std::memcpy(&block, m_bytes, sizeof block);
        return block;
    }
    std::size_t HeapSize() const noexcept
    {
        std::uint32_t size;
        std::memcpy(&size, m_bytes + sizeof(char*), sizeof size);
        return size;
    }
    void SetInline(std::size_t size) noexcept
    {
        m_bytes[size] = '\0';
        m_bytes[InlineCapacity] = static_cast<char>(InlineCapacity - size);
    }
    void Assign(std::string_view text);
    void Release() noexcept
    {
        if (IsHeap())
            FreeBlock();
    }
    void FreeBlock() noexcept;
    static std::string Joined(std::string_view a, std::string_view b);

    alignas(8) char m_bytes[16];
};

std::ostream& operator<<(std::ostream& out, const CompactText& text);

} // namespace quillary
