// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-bench [N ...]: generates a data file of N persons for each N (1,000, 10,000 and
// 100,000 by default), measures loading, saving and walking it in a fresh process each, and
// prints one Markdown table.
#include "child_process.h"
#include "data_generator.h"
#include "figures.h"
#include "measurement.h"
#include "scratch_folder.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace quillary::bench;

namespace {
constexpr const char* MeasureFlag = "--measure";

// Small files are quick enough to take the best of three tries; the largest gets one.
int RunsFor(int persons)
{
    return persons <= 10000 ? 3 : 1;
}

Figures MeasureInChild(int persons, const fs::path& folder)
{
    const fs::path file = folder / ("persons-" + std::to_string(persons) + ".dat");
    {
        std::ofstream out(file, std::ios::binary);
        WriteGeneratedData(out, persons);
        if (!out.flush())
            throw std::runtime_error("cannot write " + file.string());
    }
    const auto figures = FromLine(RunSelf(
        {MeasureFlag, std::to_string(persons), file.string(), folder.string(), std::to_string(RunsFor(persons))}));
    fs::remove(file);
    if (!figures)
        throw std::runtime_error("the measuring process gave no figures");
    return *figures;
}

int Measure(const std::vector<std::string>& args)
{
    const Figures figures = MeasureDataFile(args.at(3), args.at(4), std::stoi(args.at(2)), std::stoi(args.at(5)));
    std::cout << ToLine(figures) << '\n';
    return 0;
}

std::vector<int> Sizes(const std::vector<std::string>& args)
{
    if (args.size() <= 1)
        return {1000, 10000, 100000};
    std::vector<int> sizes;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const int persons = std::stoi(args[i]);
        if (persons < 1)
            throw std::invalid_argument("N must be at least 1");
        sizes.push_back(persons);
    }
    return sizes;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv, argv + argc);
    try {
        if (args.size() == 6 && args[1] == MeasureFlag)
            return Measure(args);
        const std::vector<int> sizes = Sizes(args);
        ScratchFolder folder;
        std::vector<Figures> rows;
        for (int persons : sizes) {
            std::cerr << "measuring " << persons << " persons...\n";
            rows.push_back(MeasureInChild(persons, folder.Path()));
        }
        PrintTable(rows, std::cout);
        std::cout
            << "\nBest of 3 runs up to 10,000 persons, one run above. Peak: VmHWM of a fresh process per row.\n"
               "Walk: NodeCount and NodeAt(i) for every node of a freshly loaded tree. Scan: FindByWord, for a\n"
               "word no title holds, on every node's item. save = file: the save is byte for byte the loaded file.\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillary-bench: " << error.what() << "\nusage: quillary-bench [N ...]\n";
        return 1;
    }
}
