// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/locate.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_node.h"

#include <algorithm>

namespace quillary {

namespace {
char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return AsciiLower(c); });
    return lower;
}

std::optional<LocateResult> MatchNode(TreeNode& node, std::string_view lowerText)
{
    if (TitleMatchesWord(node.Text(), lowerText)) {
        if (TreeNode* parent = node.Parent())
            return LocateResult{parent, node.Text()};
        return LocateResult{&node, {}};
    }
    if (const TKPXObject* detail = node.Data() ? node.Data()->FindByWord(lowerText) : nullptr)
        return LocateResult{&node, detail->GetTitle()};
    return std::nullopt;
}
} // namespace

bool TitleMatchesWord(std::string_view text, std::string_view lowerText)
{
    const auto equal = [](char a, char b) { return AsciiLower(a) == b; };
    const auto it = std::search(text.begin(), text.end(), lowerText.begin(), lowerText.end(), equal);
    if (it == text.end())
        return false;
    return it == text.begin() || *(it - 1) == ' ';
}

std::optional<LocateResult> Locate(ItemTree& tree, std::string_view text, int startIndex,
                                   const std::function<void(int visited, int total)>& progress)
{
    const std::string lowerText = AsciiLower(text);
    if (lowerText.empty())
        return std::nullopt;
    const int total = tree.NodeCount();
    if (startIndex < 0 || startIndex >= total)
        startIndex = 0;
    for (int visited = 1; visited <= total; ++visited) {
        if (progress)
            progress(visited, total);
        TreeNode* node = tree.NodeAt((startIndex + visited) % total);
        if (auto result = MatchNode(*node, lowerText))
            return result;
    }
    return std::nullopt;
}

} // namespace quillary
