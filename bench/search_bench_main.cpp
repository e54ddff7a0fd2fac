// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-search-bench [PERSONS]: the search over every field on a generated address book
// (100,000 persons by default): the snapshot and the index built from it (time and heap), then
// queries typed a character at a time, as a search box sees them, each timed by the wall clock and
// in processor time: median, 95th percentile and the slowest.
#include "data_generator.h"
#include "stopwatch.h"

#include "model/data_file.h"
#include "model/item_tree.h"
#include "search/search_index.h"
#include "search/search_snapshot.h"

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <sstream>

using namespace quillary;
using namespace quillary::bench;

namespace {

// Names, places, streets, numbers, mail and web addresses and companies of the generated book,
// and a query that matches nothing.
constexpr std::string_view Typed[] = {
    "alexandra featherstone", "smith sebastian",    "port ellery",        "555 1234",
    "5551234",                "queen's drive flat", "chloe.nguyen@example", "example.org/people/oliver",
    "acme trading",           "met at the spring",  "bavaria 8",            "castellanos dr.",
    "zzq nothing like this",  "springfield ota",    "wilhelmina",         "marguerite j. lopez"};

// Processor milliseconds this thread spends on work: on a machine shared with other builds the
// wall clock also counts the time others had the processor.
template <typename Work> double ThreadMilliseconds(Work&& work)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return 1000.0 * static_cast<double>(end.tv_sec - start.tv_sec) +
           static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

double HeapMiB()
{
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const int persons = argc > 1 ? std::stoi(argv[1]) : 100000;
        ItemTree tree;
        std::istringstream in(GenerateDataText(persons));
        LoadDataStream(in, tree.Root());
        const double heapBefore = HeapMiB();
        std::vector<SearchItem> snapshot;
        const double snapshotSeconds = Seconds([&] { snapshot = SearchSnapshot(tree.Root(), CategoryNames{}); });
        const double heapSnapshot = HeapMiB();
        SearchIndex index;
        const double buildSeconds = Seconds([&] { index = SearchIndex(std::move(snapshot)); });
        const double heapIndex = HeapMiB();

        std::vector<double> milliseconds, processor;
        std::string_view slowest;
        std::size_t slowestHits = 0;
        for (const std::string_view query : Typed)
            for (std::size_t length = 1; length <= query.size(); ++length) {
                std::size_t hits = 0;
                double used = 0;
                milliseconds.push_back(1000 * Seconds([&] {
                    used = ThreadMilliseconds([&] { hits = index.Find(query.substr(0, length)).size(); });
                }));
                processor.push_back(used);
                if (milliseconds.back() >= *std::max_element(milliseconds.begin(), milliseconds.end())) {
                    slowest = query.substr(0, length);
                    slowestHits = hits;
                }
            }
        std::cout << std::fixed << std::setprecision(1) << "| " << persons << " persons, " << index.Size()
                  << " persons and organizations | snapshot " << 1000 * snapshotSeconds << " ms, "
                  << heapSnapshot - heapBefore << " MiB | index " << 1000 * buildSeconds << " ms, "
                  << heapIndex - heapBefore << " MiB | " << milliseconds.size() << " keystrokes: median "
                  << Percentile(milliseconds, 0.5) << " ms, 95th percentile " << Percentile(milliseconds, 0.95)
                  << " ms, slowest " << Percentile(milliseconds, 1.0) << " ms (\"" << slowest << "\", " << slowestHits
                  << " hits) | processor time: median " << Percentile(processor, 0.5) << " ms, 95th percentile "
                  << Percentile(processor, 0.95) << " ms, most " << Percentile(processor, 1.0) << " ms |\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillary-search-bench: " << error.what() << "\n";
        return 1;
    }
}
