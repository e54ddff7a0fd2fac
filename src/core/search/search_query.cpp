// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_query.h"

#include "common/ascii_case.h"
#include "search/search_folding.h"

#include <algorithm>

namespace quillary {

namespace {

constexpr std::size_t LeastNumberDigits = 4;

bool IsWrittenAsNumber(std::string_view word)
{
    return std::all_of(word.begin(), word.end(), [](char c) {
        return IsAsciiDigit(c) || std::string_view("+()-./").find(c) != std::string_view::npos;
    });
}

SearchWord WordOf(std::string_view text)
{
    SearchWord word{std::string(text), {}};
    if (IsWrittenAsNumber(text)) {
        std::string digits = PhoneDigits(text);
        if (digits.size() >= LeastNumberDigits)
            word.digits = std::move(digits);
    }
    return word;
}

} // namespace

std::vector<SearchWord> ParseSearchQuery(std::string_view query)
{
    const std::string folded = FoldForSearch(query);
    const std::string_view text = folded;
    std::vector<SearchWord> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t begin = text.find_first_not_of(' ', at);
        if (begin == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        words.push_back(WordOf(text.substr(begin, end - begin)));
        at = end;
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const SearchWord& a, const SearchWord& b) { return a.text.size() > b.text.size(); });
    return words;
}

} // namespace quillary
