// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_line_reader.h"
#include "support/test_files.h"

#include "common/file_error.h"
#include "exchange/bookmark_page.h"
#include "exchange/nickname_file.h"
#include "exchange/source_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/record_writer.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

ImportCounts ImportByName(const fs::path& input, TreeNode& root)
{
    std::ifstream in(input, std::ios::binary);
    const std::string name = input.filename().string();
    if (name.starts_with("bookmark"))
        return ImportNSBook(in, root);
    if (name.starts_with("address"))
        return ImportNSAddr(in, root);
    return ImportEudora(in, root);
}

} // namespace

// Each page or nickname file in data/sources, imported the way its name says, makes one folder
// under the root whose records must match its .expected file, byte for byte.
TEST(ImportSources, GoldenFiles)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLARY_TEST_DATA) / "sources")) {
        const fs::path input = entry.path();
        if (input.extension() == ".expected")
            continue;
        SCOPED_TRACE(input.filename().string());
        ItemTree tree;
        UseSequentialIds(tree);
        ImportByName(input, tree.Root());
        ASSERT_EQ(tree.Root().ChildCount(), 1);
        std::ostringstream records;
        WriteSubtreeRecords(*tree.Root().FirstChild(), records);
        auto expected = input;
        EXPECT_EQ(records.str(), ReadWhole(expected.replace_extension(".expected")));
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST(ImportSources, CountsTheItemsMadeAndTheEntriesLeftOut)
{
    const fs::path data = fs::path(QUILLARY_TEST_DATA) / "sources";
    const std::vector<std::tuple<std::string, int, int>> cases = {
        {"bookmark_classic.htm", 8, 1}, {"address_book.htm", 5, 1}, {"nndbase_nicknames.txt", 4, 4}};
    for (const auto& [name, made, rejected] : cases) {
        SCOPED_TRACE(name);
        ItemTree tree;
        const ImportCounts counts = ImportByName(data / name, tree.Root());
        EXPECT_EQ(counts.made, made);
        EXPECT_EQ(counts.rejected, rejected);
        EXPECT_EQ(tree.Root().FirstChild()->ChildCount() + tree.Root().FirstChild()->Data()->ChildCount(), made);
    }
}

TEST(ImportSources, TheFoldersFormsFindTheirFileInAnyCaseAndMissOtherwise)
{
    TempDir dir;
    WriteWhole(dir / "BOOKMARK.HTM", "<TITLE>Upper</TITLE>\r\n<A HREF=\"a.htm\">A</A>\r\n");
    WriteWhole(dir / "Address.htm", "<TITLE>Mixed</TITLE>\r\n");
    WriteWhole(dir / "address.htm", "<TITLE>Exact</TITLE>\r\n");
    WriteWhole(dir / "Nndbase.TXT", "alias ann ann@example.com\nnote ann Long note\n");

    ItemTree tree;
    EXPECT_EQ(ImportNSBook(*dir, tree.Root()).made, 1);
    ImportNSAddr(*dir, tree.Root());
    ASSERT_EQ(tree.Root().ChildCount(), 2);
    EXPECT_EQ(tree.Root().ChildAt(0)->Text(), "Upper");
    EXPECT_EQ(tree.Root().ChildAt(1)->Text(), "Exact"); // the exact name wins

    EXPECT_EQ(ImportEudora(*dir, tree.Root()).made, 1);
    EXPECT_EQ(tree.Root().ChildAt(2)->Data()->ChildAt(0)->GetComment(), "Long note");

    fs::create_directories(dir / "empty");
    const ImportCounts none = ImportEudora(dir / "empty", tree.Root());
    EXPECT_EQ(none.made + none.rejected, 0);
    EXPECT_EQ(tree.Root().ChildCount(), 3); // no file: not even the folder
    EXPECT_FALSE(FindSourceFile(*dir / "missing", "bookmark.htm"));
}

TEST(ImportSources, AFileThatCannotBeReadIsAnError)
{
    EXPECT_THROW(ReadSourceFile(fs::path(QUILLARY_TEST_DATA) / "sources" / "no such file"), FileError);
}

TEST(ImportSources, LinesEndWithCrLfOrLfOrCr)
{
    std::istringstream in("one\r\ntwo\nthree\r\r\nlast");
    EXPECT_EQ(ReadTextLines(in), (std::vector<std::string>{"one", "two", "three", "", "last"}));
}

TEST(ImportSources, LinesReadAsViewsMatchLinesReadAsCopiesAcrossBufferRefills)
{
    // The reader refills 64 KiB at a time. Line ends are placed on and around the refills: a CR
    // last before a refill with its LF first after it, a lone CR last before one, and a line
    // longer than the buffer, besides lines of every short length.
    constexpr std::size_t Buffer = std::size_t{1} << 16;
    std::string text;
    std::vector<std::string> expected;
    const auto add = [&](std::string line, std::string_view end) {
        text.append(line).append(end);
        expected.push_back(std::move(line));
    };
    for (int n = 0; text.size() < Buffer - 40; ++n)
        add(std::string(static_cast<std::size_t>(n % 37), static_cast<char>('a' + n % 26)), n % 3 ? "\n" : "\r\n");
    add(std::string(Buffer - 1 - text.size(), 'x'), "\r\n");
    add(std::string(Buffer - 2, 'y'), "\r");
    add("w", "\n");
    add(std::string(3 * Buffer + 5, 'z'), "\n");
    add("last", "");

    std::istringstream copies(text);
    EXPECT_EQ(ReadTextLines(copies), expected);
    std::istringstream views(text);
    TextLineReader reader(views);
    std::vector<std::string> read;
    for (std::string_view line; reader.Next(line);)
        read.emplace_back(line);
    EXPECT_EQ(read, expected);
}

TEST(ImportSources, LinesEndedByLineFeedsKeepInnerCarriageReturnsAndDropOneBeforeTheEnd)
{
    // Read as getline reads them, with one CR at the end of each line dropped: a CR elsewhere is
    // part of the line, on either side of a refill, and a CR last in the stream goes too.
    constexpr std::size_t Buffer = std::size_t{1} << 16;
    std::string text;
    for (int n = 0; text.size() < Buffer - 50; ++n)
        text.append(std::string(static_cast<std::size_t>(n % 29), 'a')).append(n % 4 ? "\r\n" : "x\ry\n");
    text.append(Buffer - 1 - text.size(), 'b').append("\r\n");  // CR last before the refill
    text.append(Buffer - 3, 'c').append("\r\r\r\n\n\r");     // CRs around the next one
    text.append(2 * Buffer, 'd').append("\r\nlast\r");

    std::vector<std::string> expected;
    std::istringstream reference(text);
    for (std::string line; std::getline(reference, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        expected.push_back(line);
    }
    for (const bool views : {false, true}) {
        std::istringstream in(text);
        TextLineReader reader(in, LineEnds::LineFeed);
        std::vector<std::string> read;
        if (views)
            for (std::string_view line; reader.Next(line);)
                read.emplace_back(line);
        else
            for (std::string line; reader.Next(line);)
                read.push_back(line);
        EXPECT_EQ(read, expected) << (views ? "views" : "copies");
    }
}
