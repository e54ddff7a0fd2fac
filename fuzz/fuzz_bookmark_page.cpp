// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a bookmark page and as an address-book page: every anchor's text and link
// come from its line, both forms of the title agree, each counted item is in the folder, and
// the tree saves and reloads to the very same text.
#include "common/text_line_reader.h"
#include "exchange/bookmark_page.h"
#include "exchange/source_file.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::string Saved(const quillary::ItemTree& tree)
{
    std::ostringstream out;
    quillary::WriteDataStream(tree, out);
    return std::move(out).str();
}

void CheckReloadsToSameText(const quillary::ItemTree& tree)
{
    const std::string first = Saved(tree);
    quillary::ItemTree reloaded;
    std::istringstream in(first);
    quillary::LoadDataStream(in, reloaded.Root());
    Check(Saved(reloaded) == first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream page(bytes);
    const std::vector<std::string> lines = quillary::ReadTextLines(page);
    for (const std::string& line : lines) {
        std::string text;
        std::string link;
        if (quillary::GetAnchorInfo(line, text, link))
            Check(line.find(text) != std::string::npos && line.find(link) != std::string::npos);
    }
    std::istringstream titled(bytes);
    Check(quillary::GetBMTitle(titled) == quillary::GetBMTitle(lines));
    {
        quillary::ItemTree tree;
        std::istringstream in(bytes);
        const quillary::ImportCounts counts = quillary::ImportNSBook(in, tree.Root());
        Check(tree.Root().FirstChild()->ChildCount() == counts.made);
        CheckReloadsToSameText(tree);
    }
    {
        quillary::ItemTree tree;
        std::istringstream in(bytes);
        const quillary::ImportCounts counts = quillary::ImportNSAddr(in, tree.Root());
        Check(tree.Root().FirstChild()->Data()->ChildCount() == counts.made);
        CheckReloadsToSameText(tree);
    }
    return 0;
}
