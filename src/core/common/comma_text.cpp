// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/comma_text.h"

#include <algorithm>
#include <cstddef>

namespace quillary {

namespace {

// Bytes above 127 are ordinary characters, so compare them unsigned.
unsigned char Code(char c)
{
    return static_cast<unsigned char>(c);
}

bool IsBlank(char c)
{
    return Code(c) >= 1 && Code(c) <= 32;
}

bool NeedsQuotes(const std::string& word)
{
    return std::any_of(word.begin(), word.end(), [](char c) { return Code(c) <= 32 || c == '"' || c == ','; });
}

} // namespace

std::vector<std::string> SplitCommaText(std::string_view text, std::size_t limit)
{
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> words;
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };

    skipBlanks();
    while (pos < text.size() && words.size() <= limit) {
        std::string word;
        if (text[pos] == '"') {
            ++pos;
            while (pos < text.size()) {
                if (text[pos] == '"') {
                    if (pos + 1 < text.size() && text[pos + 1] == '"') {
                        word += '"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                word += text[pos++];
            }
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && Code(text[pos]) > 32 && text[pos] != ',')
                ++pos;
            word.assign(text.substr(start, pos - start));
        }
        words.push_back(std::move(word));

        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            skipBlanks();
        }
    }
    return words;
}

std::string JoinCommaText(const std::vector<std::string>& words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += ',';
        const std::string& word = words[i];
        if (!NeedsQuotes(word)) {
            text += word;
            continue;
        }
        text += '"';
        for (const char c : word) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

} // namespace quillary
