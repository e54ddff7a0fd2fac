// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a nickname file: each counted address is in the folder, no line counts
// twice, and the tree saves and reloads to the very same text.
#include "common/text_line_reader.h"
#include "exchange/nickname_file.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream counted(bytes);
    const auto lines = static_cast<int>(quillary::ReadTextLines(counted).size());

    quillary::ItemTree tree;
    std::istringstream in(bytes);
    const quillary::ImportCounts counts = quillary::ImportEudora(in, tree.Root());
    Check(tree.Root().FirstChild()->Data()->ChildCount() == counts.made);
    Check(counts.made + counts.rejected <= lines);

    const std::string first = Saved(tree);
    quillary::ItemTree reloaded;
    std::istringstream again(first);
    quillary::LoadDataStream(again, reloaded.Root());
    Check(Saved(reloaded) == first);
    return 0;
}
