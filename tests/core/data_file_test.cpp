// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"
#include "support/test_files.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/record_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

std::string Lines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines)
        text.append(line).append("\r\n");
    return text;
}

} // namespace

// Each input in data/records is read the way its name says (a data file, or an interchange file
// beneath the root) and must save as its .expected file, byte for byte.
TEST(DataFile, GoldenFiles)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLARY_TEST_DATA) / "records")) {
        const fs::path input = entry.path();
        if (input.extension() == ".expected")
            continue;
        SCOPED_TRACE(input.filename().string());
        TestWorld world;
        ItemTree tree(world.Services());
        const bool read = IsItemFileName(input) ? LoadItemFile(tree.Root(), input) : LoadDataFile(tree.Root(), input);
        ASSERT_TRUE(read);
        auto expected = input;
        EXPECT_EQ(SavedTree(tree), ReadWhole(expected.replace_extension(".expected")));
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

TEST(DataFile, ReportsTheRecordsReadAndTheLinesSkipped)
{
    ItemTree tree;
    std::istringstream in(Lines(
        {"{Params}", "{1 0 }A~~~~~~1", "{Fold}0", "junk", "{1 0 }B~~~~1", "{Fold}0", "{1 6 }P~~1~~~~2", "{Phon}~~0"}));
    ReadReport report;
    LoadDataStream(in, tree.Root(), &report);
    EXPECT_EQ(report.records, 2);
    EXPECT_EQ(report.skippedLines, (std::vector<int>{4, 5, 6}));
}

// The numbers of a head are whole decimal numbers within 32 bits, with blanks around them and
// perhaps leading zeros or (after the level) a plus sign; anything else makes the line no head.
TEST(DataFile, HeadNumbersAreReadWholeOrTheLineIsSkipped)
{
    ItemTree tree;
    std::istringstream in(Lines({"{Params}", "{1 0 }A~~~~~~1", "{Fold}0", "{1 +000 }B~~~~~~2", "{Fold}0",
                                 "{1\t\t00 }C~~~~~~3", "{Fold}0", "{1 2147483648 }D~~~~~~4", "{12345678901 0 }E~~~~~~5",
                                 "{1 3x }F~~~~~~6", "{1 0}G~~~~~~7", "{0000000001 0 }H~~~~~~8", "{Fold}0",
                                 "{2147483647 0 }I~~~~~~9", "{Fold}0"}));
    ReadReport report;
    LoadDataStream(in, tree.Root(), &report);
    EXPECT_EQ(report.records, 5);
    EXPECT_EQ(report.skippedLines, (std::vector<int>{8, 9, 10, 11}));
    // The largest level is only the next level down.
    ASSERT_EQ(tree.Root().ChildCount(), 4);
    const TreeNode& last = *tree.Root().LastChild();
    EXPECT_EQ(last.Text(), "H");
    ASSERT_EQ(last.ChildCount(), 1);
    EXPECT_EQ(last.FirstChild()->Text(), "I");
}

// A line's fields are stored as they stand only when they are fit to: a carriage return or
// character 26 inside a field becomes a blank, and a field that ends in a tilde is kept apart
// from the separator after it, in head and detail lines alike.
TEST(DataFile, FieldsUnfitToStoreAreMadeFitWhereverTheyStand)
{
    ItemTree tree;
    std::istringstream in(Lines({"{Params}", "{1 0 }Fold\rer~~~~~~2", "{Fold}0", "{2 3 }Ann~~Ms. Ann~~no\x1ate~~3",
                                 "{Pers}Ms.~~Ann~~~~Lee~~Home~~~~~~~~~~0~~Acme\rCorp~~Boss~~Jr.~",
                                 "{3 5 }Home~~1 Road~~~~4", "{Addr}1 Road~~~Flat~~~~Town~~ST~~123~~Land~",
                                 "{3 6 }Office~~555~~~~5", "{Phon}12\x1a" "3~~0", "{3 6 }Mobile~~556~~~~6", "{Phon}7~",
                                 "{2 3 }Bob~~Mr. Bob~~~~7", "{Pers}Mr.~~Bob~~~~Ray~~~~~~~~~~~~0~~A~~B~~C~~D~~E~~F~"}));
    LoadDataStream(in, tree.Root(), nullptr);
    EXPECT_EQ(SavedTree(tree), Lines({"{Params}", "{0 11 }My Contacts~~~~~~" + std::to_string(tree.Root().Data()->GetID()),
                                      "{1 0 }Fold er~~~~~~2", "{Fold}0", "{2 3 }Ann~~Ms. Ann~~no te~~3",
                                      "{Pers}Ms.~~Ann~~~~Lee~~Home~~~~~~~~~~0~~Acme Corp~~Boss~~Jr.~ ",
                                      "{3 5 }Home~~1 Road~~~~4", "{Addr}1 Road~~~Flat~~~~Town~~ST~~123~~Land~ ~~0",
                                      "{3 6 }Office~~555~~~~5", "{Phon}12 3~~0", "{3 6 }Mobile~~556~~~~6",
                                      "{Phon}7~ ~~0", "{2 3 }Bob~~Mr. Bob~~~~7",
                                      "{Pers}Mr.~~Bob~~~~Ray~~~~~~~~~~~~0~~A~~B~~C"}));
}

// A file edited by hand may lose a detail line: the record stands without one, and the head in
// its place is the next record, not a detail line to throw away with the record on the next save.
TEST(DataFile, ARecordWithoutItsDetailLineKeepsTheNextRecord)
{
    ItemTree tree;
    std::istringstream in(Lines({"{Params}", "{1 0 }A~~~~~~1", "{1 3 }Ann Lee~~~~~~2", "{Pers}~~Ann~~~~Lee~~~~~~~~~~~~0",
                                 "junk", "{2 6 }Home~~555 0100~~~~3"}));
    ReadReport report;
    LoadDataStream(in, tree.Root(), &report);
    EXPECT_EQ(report.records, 3);
    EXPECT_EQ(report.skippedLines, (std::vector<int>{5}));
    const std::string saved = SavedTree(tree);
    EXPECT_NE(saved.find("{1 0 }A~~~~~~1\r\n{Fold}0\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("{1 3 }Ann Lee~~~~~~2\r\n{Pers}~~Ann~~~~Lee"), std::string::npos) << saved;
    EXPECT_NE(saved.find("555 0100"), std::string::npos) << saved;
}

TEST(DataFile, AnEmptyTreeSavesTheParametersLineAndTheRoot)
{
    ItemTree tree;
    EXPECT_EQ(SavedTree(tree), Lines({"{Params}", "{0 11 }My Contacts~~~~~~32892645"}));
}

TEST(DataFile, TheFirstLineIsAlwaysSkippedButNotInInterchangeFiles)
{
    TempDir dir;
    const std::string records = Lines({"{1 0 }First~~~~~~1", "{Fold}0", "{1 0 }Second~~~~~~2", "{Fold}0"});
    WriteWhole(dir / "zelk.dat", records);
    WriteWhole(dir / "copy.ZKD", records);
    ItemTree data;
    ASSERT_TRUE(LoadDataFile(data.Root(), dir / "zelk.dat"));
    EXPECT_EQ(data.NodeCount(), 2);
    EXPECT_EQ(data.NodeAt(1)->Text(), "Second");
    ItemTree item;
    ASSERT_TRUE(LoadItemFile(item.Root(), dir / "copy.ZKD"));
    EXPECT_EQ(item.NodeCount(), 3);
}

TEST(DataFile, MissingFilesAndOtherNamesLeaveTheTreeAlone)
{
    TempDir dir;
    ItemTree tree;
    EXPECT_FALSE(LoadDataFile(tree.Root(), dir / "zelk.dat"));
    WriteWhole(dir / "notes.txt", Lines({"{1 0 }A~~~~~~1", "{Fold}0"}));
    EXPECT_FALSE(LoadItemFile(tree.Root(), dir / "notes.txt"));
    EXPECT_FALSE(LoadItemFile(tree.Root(), dir / "absent.zkd"));
    EXPECT_EQ(tree.NodeCount(), 1);

    EXPECT_TRUE(IsItemFileName("a.zkd"));
    EXPECT_TRUE(IsItemFileName("/x/a.Zkd"));
    EXPECT_TRUE(IsItemFileName("clipdata.dat"));
    EXPECT_FALSE(IsItemFileName("/x/clipdata.dat"));
    EXPECT_FALSE(IsItemFileName("Clipdata.dat"));
    EXPECT_FALSE(IsItemFileName("a.zkd.txt"));
}

TEST(DataFile, IdentifierZeroDrawsAFreshOne)
{
    ItemTree tree;
    std::istringstream in(Lines({"{1 0 }New~~~~~~0", "{Fold}0", "{1 0 }Old~~~~~~41", "{Fold}0"}));
    ReadItems(in, tree.Root());
    EXPECT_NE(tree.NodeAt(1)->Data()->GetID(), 0);
    EXPECT_EQ(tree.NodeAt(2)->Data()->GetID(), 41);
}

TEST(DataFile, LevelsCountFromTheTargetNode)
{
    ItemTree tree;
    TreeNode& folder = *CreateItem(KindFolder, "Folder", "", "", tree.Root(), "", 1)->GetTreeNode();
    TreeNode& inner = *CreateItem(KindFolder, "Inner", "", "", folder, "", 2)->GetTreeNode();
    std::istringstream copiedPhone("{1 6 }Home~~555~~~~3\r\n{Phon}~~0\r\n");
    ReadItems(copiedPhone, inner);
    ASSERT_EQ(inner.Data()->ChildCount(), 1);
    EXPECT_EQ(inner.Data()->ChildAt(0)->GetTitle(), "Home");
    std::istringstream person("{1 3 }P~~~~~~4\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n{2 5 }A~~~~~~5\r\n{Addr}~~0\r\n");
    ReadItems(person, inner);
    ASSERT_EQ(inner.ChildCount(), 1);
    EXPECT_EQ(inner.ChildAt(0)->Depth(), 3);
    EXPECT_EQ(inner.ChildAt(0)->Data()->ChildCount(), 1);
}

// A subtree whose middle folder is hidden by the filter: its person is still written, two
// levels below the start, and lands beneath the start again when read back.
TEST(DataFile, SubtreeExportSkipsFilteredItemsButVisitsTheirChildren)
{
    ItemTree tree;
    TreeNode& f = *CreateItem(KindFolder, "F", "", "", tree.Root(), "{Fold}1", 1)->GetTreeNode();
    TreeNode& s = *CreateItem(KindFolder, "S", "", "", f, "{Fold}2", 2)->GetTreeNode();
    TreeNode& p = *CreateItem(KindPerson, "P", "", "", s, "", 3)->GetTreeNode();
    CreateItem(KindPhone, "Ph", "9", "", p, "{Phon}~~1", 4);
    CreateItem(KindFolder, "G", "", "", f, "{Fold}1", 5);
    for (TreeNode* node : {&f, &p, f.LastChild()})
        node->Data()->SetCategories(1);
    tree.Filter().mode = CategoryFilter::Mode::Any;
    tree.Filter().mask = CategoryBit(1);

    std::ostringstream out;
    WriteSubtreeRecords(f, out);
    EXPECT_EQ(out.str(), Lines({"{1 0 }F~~~~~~1", "{Fold}0", "{3 3 }P~~~~~~3", "{Pers}~~~~~~~~~~~~~~~~~~0",
                                "{4 6 }Ph~~9~~~~4", "{Phon}~~1", "{2 0 }G~~~~~~5", "{Fold}0"}));
    EXPECT_EQ(f.Data()->GetCategories(), 1); // restored after writing

    ItemTree back;
    std::istringstream in(out.str());
    ReadItems(in, back.Root());
    EXPECT_EQ(back.NodeAt(1)->Text(), "F");
    EXPECT_EQ(back.NodeAt(2)->Text(), "P");
    EXPECT_EQ(back.NodeAt(2)->Parent(), back.NodeAt(1));
    EXPECT_EQ(back.NodeAt(3)->Text(), "G");
    EXPECT_EQ(back.NodeAt(3)->Parent(), &back.Root());
}

TEST(DataFile, SavingReplacesTheFileWholeOrNotAtAll)
{
    TempDir dir;
    const fs::path path = dir / "zelk.dat";
    WriteWhole(path, "old contents");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ItemTree tree;
    CreateItem(KindFolder, "Saved", "", "", tree.Root(), "", 1);
    SaveDataFile(tree, path);
    EXPECT_EQ(ReadWhole(path), SavedTree(tree));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_THROW(WriteFileAtomically(path,
                                     [](std::ostream& out) {
                                         out << "half";
                                         throw FileError("", "disk full");
                                     }),
                 FileError);
    EXPECT_EQ(ReadWhole(path), SavedTree(tree));
    EXPECT_EQ(std::distance(fs::directory_iterator(*dir), fs::directory_iterator()), 1); // no temporary left

    EXPECT_THROW(SaveDataFile(tree, dir / "no such folder" / "zelk.dat"), FileError);
}

namespace {

// Text that tries every way of breaking a record: separators, tildes at the ends, line
// breaks, the end-of-file character, braces and digits that look like heads.
std::string HostileText(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {"~",      "~~", "~~~",    "\r", "\n", "\r\n", "\x1a",
                                                    "{",      "}",  "{1 0 }", "1",  "-",  " ",    "a",
                                                    "Zürich", ",",  "\"",     "\t", "",   "\xff"};
    std::string text;
    const int count = static_cast<int>(random() % 6);
    for (int i = 0; i < count; ++i)
        text += pieces[random() % pieces.size()];
    return text;
}

void FillRandomTree(ItemTree& tree, std::mt19937& random)
{
    std::vector<TreeNode*> nodes{&tree.Root()};
    for (int i = 0; i < 300; ++i) {
        TreeNode& parent = *nodes[random() % nodes.size()];
        const int kind = static_cast<int>(random() % 13);
        TKPXObject* item = CreateItem(kind == KindRoot ? KindPhone : kind, HostileText(random), HostileText(random),
                                      HostileText(random), parent, "", 0);
        item->SetTitle(HostileText(random));
        item->SetTarget(HostileText(random));
        item->SetComment(HostileText(random));
        item->SetCategories(static_cast<std::int32_t>(random()));
        if (auto* address = dynamic_cast<TAddressObject*>(item)) {
            address->SetLines({HostileText(random), HostileText(random), HostileText(random), HostileText(random)});
            address->SetCity(HostileText(random));
            address->SetState(HostileText(random));
            address->SetPostCode(HostileText(random));
            address->SetCountry(HostileText(random));
        } else if (auto* phone = dynamic_cast<TPhoneObject*>(item)) {
            phone->SetExtension(HostileText(random));
        } else if (auto* person = dynamic_cast<TPersonObject*>(item)) {
            person->SetNames(HostileText(random), HostileText(random), HostileText(random), HostileText(random));
        }
        if (auto* party = dynamic_cast<TPartyObject*>(item))
            for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
                party->SetPrimary(static_cast<TPartyObject::Slot>(slot), HostileText(random));
        if (IsTreeKind(item->GetKind()))
            nodes.push_back(item->GetTreeNode());
    }
}

std::vector<std::string> FieldsOf(const ItemTree& tree)
{
    std::vector<std::string> fields;
    const auto add = [&](const TKPXObject& item, auto& self) -> void {
        fields.insert(fields.end(), {item.GetTitle(), item.GetTarget(), item.GetComment(),
                                     std::to_string(item.GetCategories()), std::to_string(item.GetID())});
        for (int i = 0; i < item.ChildCount(); ++i)
            self(*item.ChildAt(i), self);
    };
    for (int i = 0; i < tree.NodeCount(); ++i)
        add(*tree.NodeAt(i)->Data(), add);
    return fields;
}

} // namespace

// Whatever text the setters are given, a saved tree loads back as the same tree.
TEST(DataFile, AnyFieldTextSurvivesSavingAndLoading)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        TestWorld world;
        ItemTree tree(world.Services());
        FillRandomTree(tree, random);
        const std::string saved = SavedTree(tree);
        ItemTree loaded(world.Services());
        std::istringstream in(saved);
        ReadReport report;
        LoadDataStream(in, loaded.Root(), &report);
        EXPECT_TRUE(report.skippedLines.empty());
        EXPECT_EQ(SavedTree(loaded), saved);
        EXPECT_EQ(loaded.NodeCount(), tree.NodeCount());
        EXPECT_EQ(FieldsOf(loaded), FieldsOf(tree));
    }
}
