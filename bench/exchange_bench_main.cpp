// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-exchange-bench [PERSONS]: figures for the import and export formats on a generated
// address book (100,000 persons by default): delimited text out and back in, vCards in (beside
// python3-vobject reading the same file, when it is installed), the root written as one vCard 4.0
// file, and a published web site.
#include "data_generator.h"
#include "scratch_folder.h"
#include "stopwatch.h"

#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/folder_vcards.h"
#include "exchange/html_publish.h"
#include "exchange/party_vcard.h"
#include "exchange/record_types.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/tree_walk.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using namespace quillary;
using namespace quillary::bench;

namespace {

void Row(const std::string& what, double seconds, const std::string& note)
{
    std::cout << "| " << what << " | " << std::fixed << std::setprecision(3) << seconds << " | " << note << " |\n";
}

std::unique_ptr<ItemTree> GeneratedTree(int persons)
{
    auto tree = std::make_unique<ItemTree>();
    std::istringstream in(GenerateDataText(persons));
    LoadDataStream(in, tree->Root());
    return tree;
}

class PersonCardAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

int CountKind(TreeNode& start, int kind)
{
    int count = 0;
    ForEachInSubtree(start, [&](TreeNode& node) { count += node.Data()->GetKind() == kind; });
    return count;
}

// Detail items and websites below start, the items an import made besides the persons.
int CountDetails(TreeNode& start)
{
    int count = 0;
    ForEachInSubtree(
        start, [&](TreeNode& node) { count += node.Data()->ChildCount() + (node.Data()->GetKind() == KindWebsite); });
    return count;
}

void CsvFigures(ItemTree& tree, const fs::path& folder)
{
    const RecordType& person = *RecordTypeOfKind(KindPerson);
    const CsvExportFields columns{{person.fields.begin(), person.fields.end()}, KindPerson, true};
    const fs::path file = folder / "persons.csv";
    const double exported = Seconds([&] { WriteSubtree(tree.Root(), file, columns); });
    Row("CSV export, every person field", exported,
        std::to_string(CountKind(tree.Root(), KindPerson)) + " rows, " + std::to_string(fs::file_size(file) >> 10) +
            " KiB, written to disk");

    ItemTree imported;
    std::optional<ImportCounts> counts;
    const double read = Seconds([&] { counts = ImportCSVFile(file, imported.Root(), {KindPerson, columns.fields}); });
    Row("CSV import of that file", read,
        std::to_string(counts->made) + " persons made with their primary details, " + std::to_string(counts->rejected) +
            " rejected (the header line)");

    ItemTree headed;
    CsvImportSettings withHeader{KindPerson, {}, false, true, CsvSeparator::Auto};
    const double headedRead = Seconds([&] { counts = ImportCSVFile(file, headed.Root(), withHeader); });
    Row("CSV import of that file with the header choice", headedRead,
        std::to_string(counts->made) + " persons made, " + std::to_string(CountDetails(headed.Root())) + " details");

    const fs::path google = folder / "google.csv";
    {
        std::ofstream rows(google, std::ios::binary);
        WriteGoogleShapedCsv(rows, CountKind(tree.Root(), KindPerson));
    }
    ItemTree fromGoogle;
    const double googleRead = Seconds([&] { counts = ImportCSVFile(google, fromGoogle.Root(), withHeader); });
    Row("CSV import with the header choice, rows in Google's shape", googleRead,
        std::to_string(counts->made) + " persons made, " + std::to_string(CountDetails(fromGoogle.Root())) +
            " details, " + std::to_string(fs::file_size(google) >> 10) + " KiB");
}

// Cards of the first `count` persons, written as one file.
fs::path WriteCards(ItemTree& tree, int count, const fs::path& folder)
{
    TVCardFile cards;
    cards.Filename = folder / "persons.vcf";
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        if (cards.CardCount() < count && node.Data()->GetKind() == KindPerson)
            cards.AddCard(MakeVCard(static_cast<const TPersonObject&>(*node.Data()), VCardVersion::V21));
    });
    cards.Save();
    return cards.Filename;
}

// The same persons as 3.0 cards, each with a note long enough to be folded over three lines.
fs::path WriteFoldedCards(ItemTree& tree, int count, const fs::path& folder)
{
    TVCardFile cards;
    cards.Filename = folder / "persons30.vcf";
    cards.Version = VCardVersion::V30;
    TCardProperty note;
    note.Name = "NOTE";
    note.Values = {"Met at the spring fair, where we talked about gardens, bicycles, old maps; "
                   "call before noon, and ask about the house on the hill with the blue door."};
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) {
        if (cards.CardCount() >= count || node.Data()->GetKind() != KindPerson)
            return;
        TCard card = MakeVCard(static_cast<const TPersonObject&>(*node.Data()), VCardVersion::V30);
        card.AddProperty(note);
        cards.AddCard(std::move(card));
    });
    cards.Save();
    return cards.Filename;
}

// Wall and processor seconds of the best of three runs of work (by wall time).
struct Timing
{
    double wall = 1e9;
    double processor = 0;
};

template <typename Work> Timing BestOfThree(int who, Work&& work)
{
    Timing best;
    for (int run = 0; run < 3; ++run) {
        const double before = ProcessorSeconds(who);
        const double wall = Seconds(work);
        if (wall < best.wall)
            best = {wall, ProcessorSeconds(who) - before};
    }
    return best;
}

// python3-vobject parsing a file of `cards` cards, beside our import of it that took `ours`.
void VobjectRow(const fs::path& file, int cards, const Timing& ours)
{
    const std::string python = "/usr/bin/python3 -c 'import sys, vobject; "
                               "n = sum(1 for _ in vobject.readComponents(open(sys.argv[1], newline=\"\"))); "
                               "sys.exit(0 if n == " +
                               std::to_string(cards) + " else 3)' '" + file.string() + "'";
    int status = 0;
    const Timing theirs =
        BestOfThree(RUSAGE_CHILDREN, [&] { status = status == 0 ? std::system(python.c_str()) : status; });
    if (status != 0) {
        std::cout << "| python3-vobject reading the same file | - | not measured (install python3-vobject: "
                     "scripts/install-deps.sh --bench) |\n";
        return;
    }
    std::ostringstream ratio;
    ratio << "parsing only, no items made; ours is " << std::fixed << std::setprecision(0) << theirs.wall / ours.wall
          << " times faster (" << theirs.processor / ours.processor
          << " times in processor time: " << std::setprecision(3) << theirs.processor << " s against " << ours.processor
          << " s)";
    Row("python3-vobject reading the same file", theirs.wall, ratio.str());
}

// Both sides are timed at their best of three runs, so that a busy moment of the machine does
// not decide the ratio; the processor times say what each side costs whatever else runs.
void VCardFigures(ItemTree& tree, const fs::path& folder)
{
    PersonCardAnswer answer;
    ImportCounts counts;
    // The trees outlive the timing: taking them down is no part of an import.
    std::vector<std::unique_ptr<ItemTree>> imported;
    const auto importTiming = [&](const fs::path& file) {
        return BestOfThree(RUSAGE_SELF, [&] {
            imported.push_back(std::make_unique<ItemTree>());
            counts = ImportVCardFile(file, imported.back()->Root(), answer);
        });
    };
    const fs::path file = WriteCards(tree, 10000, folder);
    const Timing ours = importTiming(file);
    Row("vCard import", ours.wall, std::to_string(counts.made) + " cards into items with their details");
    VobjectRow(file, counts.made, ours);

    const fs::path folded = WriteFoldedCards(tree, 10000, folder);
    const Timing ours30 = importTiming(folded);
    Row("vCard 3.0 import, folded lines", ours30.wall,
        std::to_string(counts.made) + " cards into items with their details and notes, " +
            std::to_string(fs::file_size(folded) >> 10) + " KiB");
    VobjectRow(folded, counts.made, ours30);
}

// Every person and organization of the tree as one 4.0 file, as the root's export writes it.
void FolderExportFigures(ItemTree& tree, const fs::path& folder)
{
    const fs::path file = folder / "everyone40.vcf";
    int cards = 0;
    // The processor time beside the wall time: on a busy machine the wall time says more about
    // the other programs.
    const std::clock_t start = std::clock();
    const double written = Seconds([&] { cards = WriteVCardsFile(tree.Root(), file, VCardVersion::V40); });
    std::ostringstream note;
    note << cards << " cards with their details, " << (fs::file_size(file) >> 10) << " KiB, " << std::fixed
         << std::setprecision(3) << static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC
         << " s of processor time";
    Row("vCard 4.0 export of the root to one file", written, note.str());
}

void PublishFigures(ItemTree& tree, const fs::path& folder, const std::string& where)
{
    PublishSettings settings;
    settings.mainFile = folder / "site" / "book.htm";
    settings.pageTitle = "Address book";
    fs::create_directories(settings.mainFile.parent_path());
    const double published = Seconds([&] { PublishHTML(tree.Root(), settings); });
    std::size_t files = 0, bytes = 0;
    for (const auto& entry : fs::directory_iterator(settings.mainFile.parent_path()))
        ++files, bytes += entry.file_size();
    Row("Publishing 10,000 persons as a framed site, " + where, published,
        std::to_string(files) + " files (a vCard per person and organization), " + std::to_string(bytes >> 10) +
            " KiB");
}

// Most of a site's time is the file system making ten thousand small files; the same site in
// memory shows what the program itself takes.
void PublishFigures(const fs::path& folder)
{
    auto tree = GeneratedTree(10000);
    PublishFigures(*tree, folder, "into " + folder.parent_path().string());
    std::error_code error;
    if (!fs::is_directory("/dev/shm", error))
        return;
    const std::string memory = "/dev/shm/quillary-bench-" + std::to_string(::getpid());
    PublishFigures(*tree, memory, "into /dev/shm (memory)");
    fs::remove_all(memory, error);
}
} // namespace

int main(int argc, char** argv)
{
    try {
        const int persons = argc > 1 ? std::stoi(argv[1]) : 100000;
        ScratchFolder folder;
        std::cerr << "generating " << persons << " persons...\n";
        auto tree = GeneratedTree(persons);
        std::cout << "| " << persons << " persons | seconds | |\n|---|---|---|\n";
        CsvFigures(*tree, folder.Path());
        VCardFigures(*tree, folder.Path());
        FolderExportFigures(*tree, folder.Path());
        PublishFigures(folder.Path());
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillary-exchange-bench: " << error.what() << "\nusage: quillary-exchange-bench [PERSONS]\n";
        return 1;
    }
}
