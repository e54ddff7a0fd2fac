// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's hold on its data file: what reading finds, saving, reverting and the
// recovery copy, on real files.
#include "common/file_error.h"
#include "model/create_item.h"
#include "model/data_file_loader.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/tree_observer.h"
#include "shell/data_file_session.h"
#include "shell/recovery_copy.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillary;
namespace fs = std::filesystem;

namespace {

const std::string Saved = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Kept~~~~~~41\r\n{Fold}0\r\n";

void AddFolder(ItemTree& tree, const std::string& title)
{
    CreateItem(KindFolder, title, "", "", tree.Root(), "", 0);
}

mode_t ModeOf(const fs::path& path)
{
    struct stat info = {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Runs check in a child process that is the unprivileged user "nobody"; root reads any file.
template <typename F> bool AsNobody(F&& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 && check();
        std::_Exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DataFileSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        test::WriteWhole(data, Saved);
    }
    void TearDown() override { ::unsetenv("XDG_STATE_HOME"); }

    test::TempDir dir;
    fs::path data = dir / "zelk.dat";
    ItemTree tree;
    DataFileSession session{data};
};

TEST_F(DataFileSessionTest, AFileThatCannotBeReadIsToldApartFromOneThatIsNotThere)
{
    EXPECT_EQ(session.Load(tree).state, DataFileState::Loaded);
    EXPECT_EQ(tree.NodeCount(), 2);
    EXPECT_FALSE(tree.HasUnsavedChanges());

    ItemTree fresh;
    EXPECT_EQ(DataFileSession(dir / "none.dat").Load(fresh).state, DataFileState::Missing);

    fs::create_directory(dir / "folder.dat");
    const DataFileRead folder = DataFileSession(dir / "folder.dat").Load(fresh);
    EXPECT_EQ(folder.state, DataFileState::Unreadable);
    EXPECT_NE(folder.problem.find((dir / "folder.dat").string()), std::string::npos) << folder.problem;
    EXPECT_NE(folder.problem.find("folder"), std::string::npos) << folder.problem;

    // A real I/O error: the kernel refuses to read the first page of a process's memory.
    fs::create_symlink("/proc/self/mem", dir / "eio.dat");
    const DataFileRead broken = DataFileSession(dir / "eio.dat").Load(fresh);
    EXPECT_EQ(broken.state, DataFileState::Unreadable);
    EXPECT_NE(broken.problem.find("Input/output error"), std::string::npos) << broken.problem;
    EXPECT_EQ(fresh.NodeCount(), 1);
}

TEST_F(DataFileSessionTest, AFileAnotherUserMayNotReadIsUnreadableNotMissing)
{
    fs::permissions(*dir, fs::perms::all);
    fs::permissions(data, fs::perms::none);
    EXPECT_TRUE(AsNobody([&] {
        ItemTree tree;
        const DataFileRead read = DataFileSession(data).Load(tree);
        return read.state == DataFileState::Unreadable && read.problem.find("Permission denied") != std::string::npos &&
               read.problem.find(data.string()) != std::string::npos && tree.NodeCount() == 1;
    }));
}

TEST_F(DataFileSessionTest, RevertOfAnUnreadableFileKeepsTheSession)
{
    session.Load(tree);
    AddFolder(tree, "Unsaved");
    fs::remove(data);
    fs::create_directory(data);
    std::string problem;
    EXPECT_FALSE(session.Revert(tree, problem));
    EXPECT_NE(problem.find(data.string()), std::string::npos);
    EXPECT_EQ(tree.NodeCount(), 3);
    EXPECT_TRUE(tree.HasUnsavedChanges());
}

TEST_F(DataFileSessionTest, SaveAndRevertEndTheUnsavedStateAndDropTheRecoveryCopy)
{
    session.Load(tree);
    AddFolder(tree, "New");
    EXPECT_EQ(session.KeepRecovery(tree), RecoveryFileOf(data));
    session.Save(tree);
    EXPECT_FALSE(tree.HasUnsavedChanges());
    EXPECT_FALSE(fs::exists(RecoveryFileOf(data)));
    EXPECT_NE(test::ReadWhole(data).find("}New~~"), std::string::npos);

    AddFolder(tree, "Dropped again");
    session.KeepRecovery(tree);
    std::string problem;
    EXPECT_TRUE(session.Revert(tree, problem));
    EXPECT_FALSE(tree.HasUnsavedChanges());
    EXPECT_FALSE(fs::exists(RecoveryFileOf(data)));
    EXPECT_EQ(tree.NodeCount(), 3);
}

TEST_F(DataFileSessionTest, AReadOnlyCopyNeverWritesTheDataFile)
{
    session.Load(tree);
    session.SetReadOnly("another program was using it");
    AddFolder(tree, "Not for the file");
    EXPECT_THROW(session.Save(tree), FileError);
    EXPECT_THROW(session.SaveAs(tree, data), FileError); // the same file by its own name
    EXPECT_EQ(test::ReadWhole(data), Saved);
    EXPECT_TRUE(tree.HasUnsavedChanges());
    // Its changes may go elsewhere: another file, or the second place for recovery copies.
    session.SaveAs(tree, dir / "elsewhere.dat");
    EXPECT_NE(test::ReadWhole(dir / "elsewhere.dat").find("Not for the file"), std::string::npos);
    AddFolder(tree, "Later");
    EXPECT_EQ(session.KeepRecovery(tree), FallbackRecoveryFileOf(data));
    EXPECT_FALSE(fs::exists(RecoveryFileOf(data)));
    EXPECT_EQ(test::ReadWhole(data), Saved);
}

TEST_F(DataFileSessionTest, TheRecoveryCopyIsPrivateAndGoesToTheSecondPlaceWhenItMust)
{
    session.Load(tree);
    AddFolder(tree, "Private");
    const mode_t oldMask = ::umask(0);
    const fs::path beside = session.KeepRecovery(tree);
    ::umask(oldMask);
    EXPECT_EQ(beside, dir / "zelk.dat.recovery");
    EXPECT_EQ(ModeOf(beside), 0600u);
    fs::remove(beside);
    fs::create_directory(beside); // the folder cannot take the copy under that name
    const fs::path second = session.KeepRecovery(tree);
    EXPECT_EQ(second, FallbackRecoveryFileOf(data));
    EXPECT_EQ(second.parent_path(), dir / "state/quillary");
    EXPECT_EQ(ModeOf(second), 0600u);
    EXPECT_EQ(ModeOf(second.parent_path()), 0700u);
    EXPECT_NE(test::ReadWhole(second).find("}Private~~"), std::string::npos);
    fs::remove(beside);
    session.Save(tree);
    EXPECT_FALSE(fs::exists(second));
}

TEST_F(DataFileSessionTest, OnlyTheUsersOwnPlainCopyOfThisVeryFileIsOffered)
{
    session.Load(tree);
    AddFolder(tree, "Planted");
    // Another data file of the same name elsewhere keeps its second-place copy apart.
    const fs::path other = dir / "other" / "zelk.dat";
    EXPECT_NE(FallbackRecoveryFileOf(other), FallbackRecoveryFileOf(data));
    EXPECT_EQ(FallbackRecoveryFileOf(dir / "." / "zelk.dat"), FallbackRecoveryFileOf(data));
    EXPECT_TRUE(FallbackRecoveryFileOf(data).filename().string().starts_with("zelk.dat-"));

    // A link in the copy's place is never followed to whatever it names.
    const fs::path planted = session.KeepRecovery(tree);
    const fs::path elsewhere = dir / "planted.dat";
    fs::rename(planted, elsewhere);
    fs::create_symlink(elsewhere, RecoveryFileOf(data));
    EXPECT_FALSE(DataFileSession(data).FindRecovery());
    fs::remove(RecoveryFileOf(data));
    fs::copy_file(elsewhere, RecoveryFileOf(data));
    EXPECT_TRUE(DataFileSession(data).FindRecovery());
    // Nor is a copy another user owns (only root can make one to try it with).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(RecoveryFileOf(data).c_str(), 65534, 65534), 0);
        EXPECT_FALSE(DataFileSession(data).FindRecovery());
    }
}

TEST_F(DataFileSessionTest, OnlyACopyNewerThanTheDataFileIsOfferedAndRestoringLeavesTheFileAlone)
{
    session.Load(tree);
    AddFolder(tree, "From the crash");
    session.KeepRecovery(tree);
    const auto offer = DataFileSession(data).FindRecovery();
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->file, RecoveryFileOf(data));
    ASSERT_TRUE(offer->dataWritten);
    EXPECT_GE(offer->written, *offer->dataWritten);

    ItemTree next;
    DataFileSession restarted(data);
    restarted.Load(next);
    std::string problem;
    ASSERT_TRUE(restarted.Restore(next, *offer, problem)) << problem;
    EXPECT_EQ(next.NodeCount(), 3);
    EXPECT_NE(test::SavedTree(next).find("}From the crash~~"), std::string::npos);
    EXPECT_TRUE(next.HasUnsavedChanges());
    EXPECT_EQ(test::ReadWhole(data), Saved);

    // The data file written after the copy (a later save, the command-line companion): no offer.
    fs::last_write_time(data, fs::last_write_time(RecoveryFileOf(data)) + std::chrono::seconds(1));
    EXPECT_FALSE(DataFileSession(data).FindRecovery());
}

// What the views would hear: one reset around the whole read, nothing per item.
struct HeardNotifications : TreeObserver
{
    int resetsStarted = 0;
    int resetsEnded = 0;
    int others = 0;
    void NodeAboutToBeAdded(TreeNode&, int) override { ++others; }
    void NodeAdded(TreeNode&) override { ++others; }
    void DetailsChanged(TreeNode&) override { ++others; }
    void TreeResetStarted() override { ++resetsStarted; }
    void TreeResetEnded() override { ++resetsEnded; }
};

// A record at a time builds what one whole read builds, damaged lines and level jumps included;
// until the last slice the session refuses every write, and the data file stays as it was.
TEST_F(DataFileSessionTest, ASliceAtATimeReadsTheSameTreeAndWritesNothingMeanwhile)
{
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLARY_TEST_DATA) / "records")) {
        if (entry.path().extension() != ".dat")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string original = test::ReadWhole(entry.path());
        test::WriteWhole(data, original);
        ItemTree whole;
        test::UseSequentialIds(whole);
        ASSERT_EQ(DataFileSession(data).Load(whole).state, DataFileState::Loaded);

        ItemTree sliced;
        test::UseSequentialIds(sliced);
        HeardNotifications heard;
        sliced.AddObserver(&heard);
        DataFileSession session(data);
        DataFileLoader& loader = session.StartLoad(sliced);
        int slices = 0;
        while (loader.Next(1)) {
            ++slices;
            EXPECT_TRUE(session.IsLoading());
            EXPECT_LE(loader.BytesRead(), loader.Size());
            EXPECT_THROW(session.Save(sliced), FileError);
            EXPECT_THROW(session.KeepRecovery(sliced), FileError);
            std::string problem;
            EXPECT_FALSE(session.Revert(sliced, problem));
        }
        sliced.RemoveObserver(&heard);
        EXPECT_GE(slices, 2);
        EXPECT_FALSE(session.IsLoading());
        EXPECT_EQ(loader.Result().state, DataFileState::Loaded);
        EXPECT_EQ(loader.BytesRead(), original.size());
        EXPECT_EQ(test::SavedTree(sliced), test::SavedTree(whole));
        EXPECT_EQ(test::ReadWhole(data), original);
        EXPECT_FALSE(fs::exists(RecoveryFileOf(data)));
        EXPECT_EQ(heard.resetsStarted, 1);
        EXPECT_EQ(heard.resetsEnded, 1);
        EXPECT_EQ(heard.others, 0);
        ++files;
    }
    EXPECT_GE(files, 2);
}

} // namespace
