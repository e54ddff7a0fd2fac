// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurement.h"
#include "stopwatch.h"

#include "model/data_file.h"
#include "model/due_notices.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "peak_memory.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace quillary::bench {

namespace {

int CountItems(const TKPXObject& item)
{
    int count = 1;
    for (int i = 0; i < item.ChildCount(); ++i)
        count += CountItems(*item.ChildAt(i));
    return count;
}

// The results feed a volatile sink, so the compiler cannot drop the loops.
volatile std::size_t Sink = 0;

void WalkAllNodes(const ItemTree& tree)
{
    std::size_t depths = 0;
    const int count = tree.NodeCount();
    for (int i = 0; i < count; ++i)
        depths += static_cast<std::size_t>(tree.NodeAt(i)->Depth());
    Sink = Sink + depths;
}

// The worst case of a type-ahead search: a word that no title holds, so every title is read.
void ScanAllTitles(const ItemTree& tree)
{
    std::size_t found = 0;
    const int count = tree.NodeCount();
    for (int i = 0; i < count; ++i)
        found += tree.NodeAt(i)->Data()->FindByWord("zqxjv") != nullptr;
    Sink = Sink + found;
}

bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    std::vector<char> x(1 << 16), y(1 << 16);
    while (first && second) {
        first.read(x.data(), static_cast<std::streamsize>(x.size()));
        second.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (first.gcount() != second.gcount() || !std::equal(x.begin(), x.begin() + first.gcount(), y.begin()))
            return false;
    }
    return first.eof() && second.eof();
}

template <typename F> double BestOf(int runs, F&& work)
{
    double best = Seconds(work);
    for (int run = 1; run < runs; ++run)
        best = std::min(best, Seconds(work));
    return best;
}

// Each try loads into a fresh tree, the previous one being gone first, so the peak is that of
// one loaded file. The last tree is kept for the other measurements.
std::unique_ptr<ItemTree> LoadBestOf(const std::filesystem::path& file, int runs, Figures& f)
{
    std::unique_ptr<ItemTree> tree;
    f.loadSeconds = f.walkSeconds = 1e30;
    for (int run = 0; run < runs; ++run) {
        tree.reset();
        tree = std::make_unique<ItemTree>();
        f.loadSeconds = std::min(f.loadSeconds, Seconds([&] {
                                     if (!LoadDataFile(tree->Root(), file))
                                         throw std::runtime_error("cannot read " + file.string());
                                 }));
        f.walkSeconds = std::min(f.walkSeconds, Seconds([&] { WalkAllNodes(*tree); }));
    }
    return tree;
}
} // namespace

Figures MeasureDataFile(const std::filesystem::path& file, const std::filesystem::path& scratch, int persons, int runs)
{
    Figures f;
    f.persons = persons;
    f.fileBytes = std::filesystem::file_size(file);
    const std::unique_ptr<ItemTree> tree = LoadBestOf(file, runs, f);
    f.scanSeconds = BestOf(runs, [&] { ScanAllTitles(*tree); });
    f.untoldSeconds = BestOf(runs, [&] { f.untold = DueNoticeLog().TakeUntold(*tree).size(); });
    const auto saved = scratch / "saved.dat";
    f.saveSeconds = BestOf(runs, [&] { SaveDataFile(*tree, saved); });
    f.nodes = tree->NodeCount();
    for (int i = 0; i < f.nodes; ++i)
        f.items += CountItems(*tree->NodeAt(i)->Data());
    f.peakKiB = PeakResidentKiB();
    f.sameText = SameBytes(file, saved);
    return f;
}

} // namespace quillary::bench
