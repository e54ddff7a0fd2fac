// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace quillary {

// A read-only view of a stored text. Item fields are read through it: it converts to
// std::string_view and std::string and answers the string calls the code makes of a field. It
// stays valid until the text it shows is set again. Like a std::string_view it is not followed by
// a zero byte: a C interface is handed a std::string made of it.
class TextView
{
public:
    constexpr TextView() noexcept = default;
    constexpr explicit TextView(std::string_view text) noexcept : m_text(text) {}

    constexpr std::string_view View() const noexcept { return m_text; }
    constexpr operator std::string_view() const noexcept { return m_text; }
    operator std::string() const { return std::string(m_text); }

    constexpr const char* data() const noexcept { return m_text.data(); }
    constexpr std::size_t size() const noexcept { return m_text.size(); }
    constexpr std::size_t length() const noexcept { return m_text.size(); }
    constexpr bool empty() const noexcept { return m_text.empty(); }
    constexpr const char* begin() const noexcept { return m_text.data(); }
    constexpr const char* end() const noexcept { return m_text.data() + m_text.size(); }
    char front() const { return m_text.front(); }
    char back() const { return m_text.back(); }
    char operator[](std::size_t index) const { return m_text[index]; }
    template <typename... Args> std::size_t find(Args&&... args) const
    {
        return m_text.find(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t rfind(Args&&... args) const
    {
        return m_text.rfind(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t find_first_of(Args&&... args) const
    {
        return m_text.find_first_of(std::forward<Args>(args)...);
    }
    template <typename... Args> std::size_t find_first_not_of(Args&&... args) const
    {
        return m_text.find_first_not_of(std::forward<Args>(args)...);
    }
    std::string substr(std::size_t position, std::size_t count = std::string::npos) const
    {
        return std::string(m_text.substr(position, count));
    }
    bool starts_with(std::string_view prefix) const noexcept { return m_text.starts_with(prefix); }
    bool ends_with(std::string_view suffix) const noexcept { return m_text.ends_with(suffix); }
    int compare(std::string_view other) const noexcept { return m_text.compare(other); }

    friend bool operator==(TextView a, TextView b) noexcept { return a.m_text == b.m_text; }
    friend bool operator==(TextView a, std::string_view b) noexcept { return a.m_text == b; }
    friend auto operator<=>(TextView a, TextView b) noexcept { return a.m_text <=> b.m_text; }
    friend auto operator<=>(TextView a, std::string_view b) noexcept { return a.m_text <=> b; }
    friend std::string operator+(TextView a, std::string_view b) { return Joined(a.m_text, b); }
    friend std::string operator+(std::string_view a, TextView b) { return Joined(a, b.m_text); }
    friend std::string operator+(TextView a, TextView b) { return Joined(a.m_text, b.m_text); }
    friend std::string operator+(TextView a, const char* b) { return Joined(a.m_text, b); }
    friend std::string operator+(const char* a, TextView b) { return Joined(a, b.m_text); }
    friend std::string operator+(TextView a, const std::string& b) { return Joined(a.m_text, b); }
    friend std::string operator+(const std::string& a, TextView b) { return Joined(a, b.m_text); }
    friend std::string operator+(TextView a, char b) { return Joined(a.m_text, std::string_view(&b, 1)); }
    friend std::string operator+(char a, TextView b) { return Joined(std::string_view(&a, 1), b.m_text); }

private:
    static std::string Joined(std::string_view a, std::string_view b)
    {
        std::string joined;
        joined.reserve(a.size() + b.size());
        joined.append(a).append(b);
        return joined;
    }

    std::string_view m_text{"", 0};
};

std::ostream& operator<<(std::ostream& out, TextView text);

} // namespace quillary
