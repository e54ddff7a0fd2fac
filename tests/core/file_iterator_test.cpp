// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "common/file_error.h"
#include "exchange/file_iterator.h"

#include <gtest/gtest.h>

#include <map>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

// b.txt, a/deep/x.txt, a/y.txt, .hidden/z.txt, .dotfile, and links to a file and to the root.
class Folders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(*root / "a" / "deep");
        fs::create_directories(*root / ".hidden");
        WriteWhole(root / "b.txt", "12345");
        WriteWhole(*root / "a" / "deep" / "x.txt", "");
        WriteWhole(*root / "a" / "y.txt", "");
        WriteWhole(*root / ".hidden" / "z.txt", "");
        WriteWhole(root / ".dotfile", "");
        fs::create_symlink(*root / "b.txt", root / "link.txt");
        fs::create_directory_symlink(*root, root / "loop");
    }

    std::vector<std::string> Walk(TFileIterator& files)
    {
        std::vector<std::string> seen;
        files.SetRootFolder((*root).string());
        files.OnAddFile = [&](TFileIterator&, const std::string& name, const TFileInfo&) { seen.push_back(name); };
        files.Execute();
        return seen;
    }

    std::string Under(const std::string& relative) const { return (*root).string() + "/" + relative; }

    TempDir root;
};

} // namespace

TEST_F(Folders, WalksDepthFirstInNameOrderWithoutEnteringHiddenFoldersOrLinks)
{
    TFileIterator files;
    EXPECT_EQ(Walk(files), (std::vector<std::string>{Under(".dotfile"), Under("a/deep/x.txt"), Under("a/y.txt"),
                                                     Under("b.txt"), Under("link.txt")}));
    EXPECT_EQ(files.SkippedFolders(), 0);
}

TEST_F(Folders, OptionsChooseBareNamesAndTheTopFolderOnly)
{
    TFileIterator files;
    files.SetOptions(fiDetails);
    EXPECT_EQ(Walk(files), (std::vector<std::string>{".dotfile", "b.txt", "link.txt"}));
    files.SetOptions(fiRecurseFolders);
    EXPECT_EQ(Walk(files).size(), 5u);
}

TEST_F(Folders, ATrailingSeparatorOfTheRootIsDropped)
{
    TFileIterator files;
    files.SetOptions(fiPath);
    std::vector<std::string> seen;
    files.SetRootFolder((*root).string() + "/");
    files.OnAddFile = [&](TFileIterator&, const std::string& name, const TFileInfo&) { seen.push_back(name); };
    files.Execute();
    EXPECT_EQ(seen.front(), Under(".dotfile"));
}

TEST_F(Folders, DetailsDescribeTheFile)
{
    fs::permissions(root / "b.txt", fs::perms::owner_write, fs::perm_options::remove);
    TFileIterator files;
    files.SetRootFolder((*root).string());
    files.SetOptions(fiDetails);
    std::map<std::string, TFileInfo> infos;
    files.OnAddFile = [&](TFileIterator&, const std::string& name, const TFileInfo& info) { infos[name] = info; };
    files.Execute();
    EXPECT_EQ(infos["b.txt"].size, 5u);
    EXPECT_TRUE(infos["b.txt"].readOnly);
    EXPECT_FALSE(infos["b.txt"].hidden);
    EXPECT_EQ(infos["b.txt"].time, fs::last_write_time(root / "b.txt"));
    EXPECT_TRUE(infos[".dotfile"].hidden);
    EXPECT_FALSE(infos[".dotfile"].readOnly);
    EXPECT_EQ(infos["link.txt"].size, 5u); // of the file the link leads to

    files.SetOptions(0);
    files.Execute();
    EXPECT_EQ(infos["b.txt"].size, 0u);
}

TEST_F(Folders, TheQueryMayRefuseAFile)
{
    TFileIterator files;
    std::vector<std::string> asked;
    files.OnAddFileQuery = [&](TFileIterator&, const std::string& name, const TFileInfo&, bool& canAdd) {
        asked.push_back(name);
        canAdd = name.ends_with("y.txt");
    };
    EXPECT_EQ(Walk(files), (std::vector<std::string>{Under("a/y.txt")}));
    EXPECT_EQ(asked.size(), 5u);

    TFileIterator queryOnly;
    queryOnly.SetRootFolder((*root).string());
    int count = 0;
    queryOnly.OnAddFileQuery = [&](TFileIterator&, const std::string&, const TFileInfo&, bool&) { ++count; };
    queryOnly.Execute();
    EXPECT_EQ(count, 5);
}

TEST_F(Folders, EventsFrameTheWalkAndTheWalkCannotBeChangedOrRestartedMeanwhile)
{
    TFileIterator files;
    std::vector<std::string> events;
    files.OnActivate = [&](TFileIterator& sender) { events.push_back(sender.Running() ? "activate" : "idle?"); };
    files.OnTerminate = [&](TFileIterator& sender) { events.push_back(sender.Running() ? "terminate" : "idle?"); };
    files.SetRootFolder((*root).string());
    files.Execute(); // no file event: nothing at all
    EXPECT_TRUE(events.empty());

    files.OnAddFile = [&](TFileIterator& sender, const std::string&, const TFileInfo&) {
        EXPECT_THROW(sender.SetOptions(fiPath), EFileIteratorError);
        EXPECT_THROW(sender.SetRootFolder("/"), EFileIteratorError);
        try {
            sender.Execute();
        } catch (const EFileIteratorError& error) {
            events.push_back(error.what());
            throw;
        }
    };
    EXPECT_THROW(files.Execute(), EFileIteratorError);
    EXPECT_EQ(events,
              (std::vector<std::string>{
                  "activate", "Iterator is not available at the moment. Please call later, but do call", "terminate"}));
    EXPECT_FALSE(files.Running());
    files.SetOptions(fiPath); // idle again: allowed
}

TEST(FileIterator, AMissingRootIsAnErrorAfterWhichTheWalkEnds)
{
    TFileIterator files;
    bool terminated = false;
    files.SetRootFolder("/no/such/folder/anywhere");
    files.OnAddFile = [](TFileIterator&, const std::string&, const TFileInfo&) {};
    files.OnTerminate = [&](TFileIterator&) { terminated = true; };
    EXPECT_THROW(files.Execute(), FileError);
    EXPECT_TRUE(terminated);
    EXPECT_FALSE(files.Running());
}
