// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_order.h"

#include "model/item_kind.h"
#include "model/kpx_object.h"

namespace quillary {

namespace {
unsigned char AsciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

} // namespace

int CompareTitles(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = AsciiUpper(static_cast<unsigned char>(a[i])) - AsciiUpper(static_cast<unsigned char>(b[i]));
        if (d != 0)
            return d;
    }
    return static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size());
}

void AppendFoldedTitle(std::string& out, std::string_view title)
{
    for (const char c : title)
        out.push_back(static_cast<char>(AsciiUpper(static_cast<unsigned char>(c))));
}

int FoldersCompare(const TKPXObject* a, const TKPXObject* b)
{
    if (!a || !b)
        return 0;
    const bool aFolder = a->GetKind() == KindFolder;
    const bool bFolder = b->GetKind() == KindFolder;
    if (aFolder != bFolder)
        return aFolder ? -1 : 1;
    return CompareTitles(a->GetTitle(), b->GetTitle());
}

} // namespace quillary
