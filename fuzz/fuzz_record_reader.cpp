// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a data file and as an interchange stream, must give a tree that saves and
// reloads to the very same text: a load never loses what the next save would write.
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/record_reader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

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
    if (Saved(reloaded) != first)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        quillary::ItemTree tree;
        std::istringstream in(bytes);
        quillary::LoadDataStream(in, tree.Root());
        CheckReloadsToSameText(tree);
    }
    {
        quillary::ItemTree tree;
        std::istringstream in(bytes);
        quillary::ReadItems(in, tree.Root());
        CheckReloadsToSameText(tree);
    }
    return 0;
}
