// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-process-bench [PERSONS]: what a user waits for, measured on whole processes. A data
// file of PERSONS generated persons (100,000 by default) is checked by quillary-cli beside `wc -l`
// of the same file (the floor: reading it once); a Google-shaped CSV file and a vCard 3.0 file of
// at most 100,000 persons are imported by quillary-cli beside pandas' read_csv and the GNOME data
// server's vCard parser reading the same files. Each side's figures are those of its run of least
// processor time out of three, counted by the kernel for that process alone; each row prints our
// figures as ratios of the reference's from the same run, and the peak memory per byte of file.
// QUILLARY_CLI in the environment names another quillary-cli to measure, an older build say.
#include "child_process.h"
#include "data_generator.h"
#include "process_figures.h"
#include "scratch_folder.h"

#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/tree_walk.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;
using namespace quillary;
using namespace quillary::bench;

namespace {
constexpr int Runs = 3;
constexpr int MaxImported = 100000;
constexpr const char* WriteCardsFlag = "--write-cards";

std::string Fixed(double value, int digits)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(digits) << value;
    return text.str();
}

std::string Figures(const ProcessFigures& run, std::size_t fileBytes)
{
    return Fixed(run.processor, 3) + " | " + Fixed(run.wall, 3) + " | " +
           Fixed(static_cast<double>(run.peakKiB) / 1024, 1) + " | " +
           Fixed(static_cast<double>(run.peakKiB) * 1024 / static_cast<double>(fileBytes), 2);
}

// One row: our run and the reference's, or the reason the reference is missing.
void Row(const std::string& task, const fs::path& file, const ProcessFigures& ours, const std::string& peer,
         const ProcessFigures* theirs, const std::string& missing = {})
{
    const std::size_t bytes = fs::file_size(file);
    std::cout << "| " << task << " | " << Fixed(static_cast<double>(bytes) / (1 << 20), 1) << " | "
              << (ours.status == 0 ? Figures(ours, bytes) : "failed (status " + std::to_string(ours.status) + ") | | |")
              << " | " << peer << " | ";
    if (!theirs || theirs->status != 0) {
        std::cout << (missing.empty() ? "failed" : missing) << " | | | | |\n";
        return;
    }
    std::cout << Figures(*theirs, bytes) << " | " << Fixed(ours.processor / theirs->processor, 2) << " | "
              << Fixed(static_cast<double>(ours.peakKiB) / static_cast<double>(theirs->peakKiB), 2) << " |\n";
}

void Header()
{
    std::cout << "| task (whole process) | file MiB | CPU s | wall s | peak MiB | bytes/byte | reference | ref CPU s "
                 "| ref wall s | ref peak MiB | ref bytes/byte | CPU ratio | memory ratio |\n"
                 "|---|--:|--:|--:|--:|--:|---|--:|--:|--:|--:|--:|--:|\n";
}

void Generate(const fs::path& file, int persons)
{
    std::ofstream out(file, std::ios::binary);
    WriteGeneratedData(out, persons);
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

// Every person of the data file as one vCard 3.0 file.
void WriteCards(const fs::path& data, const fs::path& file)
{
    ItemTree tree;
    LoadDataFile(tree.Root(), data);
    TVCardFile cards;
    cards.Filename = file;
    cards.Version = VCardVersion::V30;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        if (node.Data()->GetKind() == KindPerson)
            cards.AddCard(MakeVCard(static_cast<const TPersonObject&>(*node.Data()), VCardVersion::V30));
    });
    cards.Save();
}

bool PandasInstalled()
{
    return RunProgram({"/usr/bin/python3", "-c", "import pandas"}).status == 0;
}

std::string Cli()
{
    const char* other = std::getenv("QUILLARY_CLI");
    return other && *other ? other : QUILLARY_CLI;
}

// An import into a data file that does not exist yet, as a user's first import makes it.
ProcessFigures Import(const fs::path& folder, const std::vector<std::string>& options)
{
    const fs::path data = folder / "imported.dat";
    std::vector<std::string> command{Cli(), "import", "--data", data.string()};
    command.insert(command.end(), options.begin(), options.end());
    return BestRun(command, Runs, [&] { fs::remove(data); });
}

void CheckRow(const fs::path& data, int persons)
{
    const auto none = [] {};
    const ProcessFigures ours = BestRun({Cli(), "check", data.string()}, Runs, none);
    const ProcessFigures floor = BestRun({"wc", "-l", data.string()}, Runs, none);
    Row("`quillary-cli check`, " + std::to_string(persons) + " persons", data, ours, "`wc -l`", &floor);
}

void CsvRow(const fs::path& folder, int persons)
{
    const fs::path csv = folder / "google.csv";
    {
        std::ofstream out(csv, std::ios::binary);
        WriteGoogleShapedCsv(out, persons);
    }
    const ProcessFigures ours = Import(folder, {"--format", "csv", "--kind", "person", "--header", csv.string()});
    const std::string task = "CSV import with header, " + std::to_string(persons) + " rows";
    if (!PandasInstalled())
        return Row(task, csv, ours, "pandas read_csv", nullptr,
                   "missing: python3-pandas (scripts/install-deps.sh --bench)");
    const ProcessFigures pandas = BestRun(
        {"/usr/bin/python3", "-c", "import sys, pandas; pandas.read_csv(sys.argv[1])", csv.string()}, Runs, [] {});
    Row(task, csv, ours, "pandas read_csv", &pandas);
}

void VCardRow(const fs::path& folder, const fs::path& data, int persons)
{
    const fs::path cards = folder / "persons30.vcf";
    // In a process of its own: a child's peak memory counts the memory of the process that started
    // it, so this one must never hold a tree.
    RunSelf({WriteCardsFlag, data.string(), cards.string()});
    const ProcessFigures ours = Import(folder, {"--format", "vcf", cards.string()});
    const std::string task = "vCard 3.0 import, " + std::to_string(persons) + " cards";
    const std::string reader = QUILLARY_EDS_READER;
    const std::string peer = "data server's vCard parser (C)";
    if (reader.empty())
        return Row(task, cards, ours, peer, nullptr,
                   "missing: libebook-contacts1.2-dev (scripts/install-deps.sh --bench), then configure again");
    const ProcessFigures eds = BestRun({reader, cards.string()}, Runs, [] {});
    Row(task, cards, ours, peer, &eds);
}
} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::string(argv[1]) == WriteCardsFlag) {
            WriteCards(argv[2], argv[3]);
            return 0;
        }
        const int persons = argc > 1 ? std::stoi(argv[1]) : 100000;
        if (persons < 1)
            throw std::invalid_argument("PERSONS must be at least 1");
        ScratchFolder folder;
        const fs::path data = folder.Path() / "zelk.dat";
        Generate(data, persons);
        Header();
        CheckRow(data, persons);
        const int imported = std::min(persons, MaxImported);
        if (imported != persons)
            Generate(data, imported);
        CsvRow(folder.Path(), imported);
        VCardRow(folder.Path(), data, imported);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillary-process-bench: " << error.what() << "\nusage: quillary-process-bench [PERSONS]\n";
        return 1;
    }
}
