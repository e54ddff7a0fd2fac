// SPDX-License-Identifier: GPL-3.0-or-later
// Saving under faults: modes whatever the umask, other users, planted names, links, leftovers.
#include "support/fault_setups.h"
#include "support/test_files.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/private_folders.h"
#include "common/run_lock.h"
#include "common/temporary_file.h"
#include "shell/save_leftovers.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

constexpr auto Private = fs::perms::owner_read | fs::perms::owner_write;

// The one temporary file beside target while a save writes it, if there is one.
std::optional<fs::path> TemporaryBeside(const fs::path& target)
{
    for (const auto& entry : fs::directory_iterator(target.parent_path()))
        if (IsTemporaryNameOf(target, entry.path().filename().string()))
            return entry.path();
    return std::nullopt;
}

// Saves text to path and notes the temporary file's mode and owner while it is being written.
struct SeenWhileWriting
{
    fs::perms mode{};
    uid_t owner = 0;
    gid_t group = 0;
    bool othersCouldRead = true;
};

SeenWhileWriting SaveWatching(const fs::path& path, const std::string& text)
{
    SeenWhileWriting seen;
    WriteFileAtomically(path, [&](std::ostream& out) {
        out << text;
        const auto temporary = TemporaryBeside(path);
        EXPECT_TRUE(temporary.has_value());
        struct stat info
        {
        };
        ::stat(temporary->c_str(), &info);
        seen = {ModeOf(*temporary), info.st_uid, info.st_gid, NobodyCanRead(*temporary)};
    });
    return seen;
}

std::size_t EntriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(SafeSave, NewFilesAndFoldersArePrivateWhateverTheUmask)
{
    for (const mode_t mask : {mode_t{0000}, mode_t{0022}, mode_t{0277}}) {
        TempDir dir;
        fs::permissions(*dir, fs::perms::all); // other users could reach the files if modes let them
        const UmaskScope umask(mask);
        const fs::path file = dir / "zelk.dat";
        const SeenWhileWriting seen = SaveWatching(file, "contacts");
        EXPECT_EQ(seen.mode, Private) << "umask " << mask;
        EXPECT_FALSE(seen.othersCouldRead);
        EXPECT_EQ(ModeOf(file), Private);
        EXPECT_FALSE(NobodyCanRead(file));
        EXPECT_EQ(ReadWhole(file), "contacts");

        { // the lock beside the data file, too
            const auto lock = RunLock::TryAcquire(file);
            EXPECT_TRUE(lock.has_value());
        }
        EXPECT_EQ(ModeOf(RunLock::LockFileOf(file)), Private);
        EXPECT_TRUE(RunLock::TryAcquire(file).has_value());

        CreatePrivateFolders(dir / "data" / "quillary");
        EXPECT_EQ(ModeOf(dir / "data"), fs::perms::owner_all);
        EXPECT_EQ(ModeOf(dir / "data" / "quillary"), fs::perms::owner_all);
        EXPECT_FALSE(NobodyRuns("ls \"" + (dir / "data").string() + "\""));
    }
}

TEST(SafeSave, ExistingFoldersKeepTheirMode)
{
    TempDir dir;
    fs::permissions(*dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    CreatePrivateFolders(dir / "new");
    EXPECT_EQ(ModeOf(*dir), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    WriteWhole(dir / "plain", "x");
    EXPECT_THROW(CreatePrivateFolders(dir / "plain" / "below"), FileError);
}

TEST(SafeSave, AReplacedFileKeepsModeOwnerAndGroupFromTheFirstByte)
{
    const UmaskScope umask(0077); // would take the group's bits from a file made anew
    TempDir dir;
    const fs::path file = dir / "shared.dat";
    WriteWhole(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(::chown(file.c_str(), NobodyId, NobodyId), 0);

    const SeenWhileWriting seen = SaveWatching(file, "new");
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    EXPECT_EQ(seen.mode, kept);
    EXPECT_EQ(seen.owner, NobodyId);
    EXPECT_EQ(seen.group, NobodyId);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(ModeOf(file), kept);
    EXPECT_EQ(info.st_uid, NobodyId);
    EXPECT_EQ(info.st_gid, NobodyId);
    EXPECT_EQ(ReadWhole(file), "new");
}

TEST(SafeSave, APublishedSiteKeepsTheUmasksMode)
{
    const UmaskScope umask(0022);
    TempDir dir;
    {
        const SharedFileMode shared;
        WriteFileAtomically(dir / "index.htm", [](std::ostream& out) { out << "<html>"; });
    }
    WriteFileAtomically(dir / "export.vcf", [](std::ostream& out) { out << "BEGIN:VCARD"; });
    EXPECT_EQ(ModeOf(dir / "index.htm"), Private | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(ModeOf(dir / "export.vcf"), Private);
}

// Another user who may write the folder (a shared one with the sticky bit, like /tmp) plants the
// names a save may draw: a link to a file of ours, and a file of their own. The save takes
// neither, and what they point to stays as it was.
TEST(SafeSave, PlantedTemporaryNamesAreNeverOpened)
{
    TempDir dir;
    fs::permissions(*dir, fs::perms::all | fs::perms::sticky_bit);
    const fs::path target = dir / "zelk.dat";
    const fs::path victim = dir / "victim";
    WriteWhole(victim, "precious");
    const std::string link = target.string() + ".tmp-aaaaaaaaaaaaaaaa";
    const std::string planted = target.string() + ".tmp-bbbbbbbbbbbbbbbb";
    ASSERT_TRUE(NobodyRuns("ln -s \"" + victim.string() + "\" \"" + link + "\" && echo theirs > \"" + planted + "\""));

    std::vector<std::string> names = {"aaaaaaaaaaaaaaaa", "bbbbbbbbbbbbbbbb", "cccccccccccccccc"};
    std::size_t next = 0;
    {
        TemporaryFile temporary(target, Private, [&] { return names.at(next++); });
        EXPECT_EQ(temporary.Path(), target.string() + ".tmp-cccccccccccccccc");
        EXPECT_EQ(::write(temporary.Descriptor(), "ours", 4), 4);
        temporary.RenameOver(target);
    }
    EXPECT_EQ(ReadWhole(target), "ours");
    EXPECT_EQ(ReadWhole(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWhole(planted), "theirs\n");

    // Names that are always taken end in an error, not in a write through someone's link.
    EXPECT_THROW(TemporaryFile(target, Private, [&] { return names.front(); }), FileError);
    EXPECT_EQ(ReadWhole(victim), "precious");
}

TEST(SafeSave, ALinkIsWrittenThroughAndStaysALink)
{
    TempDir dir;
    fs::create_directories(dir / "real");
    fs::create_directories(dir / "links");
    WriteWhole(dir / "real" / "zelk.dat", "old");
    fs::permissions(dir / "real" / "zelk.dat",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    // A chain: an absolute link to a relative one, which names the file.
    fs::create_symlink("../real/zelk.dat", dir / "links" / "middle");
    fs::create_symlink(dir / "links" / "middle", dir / "zelk.dat");

    const SeenWhileWriting seen = SaveWatching(dir / "real" / "zelk.dat", "direct");
    WriteFileAtomically(dir / "zelk.dat", [](std::ostream& out) { out << "through"; });
    EXPECT_EQ(ModeOf(dir / "real" / "zelk.dat"), seen.mode);
    EXPECT_EQ(ReadWhole(dir / "real" / "zelk.dat"), "through");
    EXPECT_TRUE(fs::is_symlink(dir / "zelk.dat"));
    EXPECT_TRUE(fs::is_symlink(dir / "links" / "middle"));
    EXPECT_EQ(EntriesIn(*dir), 3u);
    EXPECT_EQ(EntriesIn(dir / "real"), 1u); // the temporary file went beside the target

    // A dangling link makes the file it names.
    fs::create_symlink("made.ini", dir / "kpx.ini");
    WriteFileAtomically(dir / "kpx.ini", [](std::ostream& out) { out << "[WinState]"; });
    EXPECT_TRUE(fs::is_symlink(dir / "kpx.ini"));
    EXPECT_EQ(ReadWhole(dir / "made.ini"), "[WinState]");
    EXPECT_EQ(ModeOf(dir / "made.ini"), Private);

    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    EXPECT_THROW(WriteFileAtomically(dir / "loop-a", [](std::ostream&) {}), FileError);
}

TEST(SafeSave, AFullDiskKeepsTheOldFileAndNamesTheNewOne)
{
    TempDir dir;
    const FullDisk disk(dir / "disk");
    ASSERT_TRUE(disk.Mounted());
    const fs::path file = dir / "disk" / "zelk.dat";
    WriteWhole(file, "old contacts");
    disk.Fill();
    try {
        WriteFileAtomically(file, [](std::ostream& out) { out << std::string(64 * 1024, 'n'); });
        ADD_FAILURE() << "a full disk took the save";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("No space left"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadWhole(file), "old contacts");
    EXPECT_FALSE(TemporaryBeside(file).has_value());
}

TEST(SaveLeftovers, OnlyOurOwnTemporaryFilesGo)
{
    TempDir dir;
    fs::permissions(*dir, fs::perms::all | fs::perms::sticky_bit);
    const fs::path data = dir / "zelk.dat";
    const std::string hex = "0123456789abcdef";
    for (const std::string& name :
         std::vector<std::string>{"zelk.dat.tmp-" + hex, "zelk.dat.tmp123456", "clipdata.dat.tmp-" + hex,
                                  "ret_addr.dat.tmp7", "kpx.ini.tmp-" + hex})
        WriteWhole(dir / name, "left by a killed save");
    // Look-alikes, and temporary names that are not our regular files.
    for (const std::string& name :
         std::vector<std::string>{"zelk.dat", "zelk.dat.tmp-0123", "zelk.dat.tmp1234567",
                                  "zelk.dat.tmp-0123456789ABCDEF", "other.dat.tmp-" + hex, "zelk.dat.tmpx"})
        WriteWhole(dir / name, "keep");
    ASSERT_TRUE(NobodyRuns("echo theirs > \"" + data.string() + ".tmp-fedcba9876543210\""));
    fs::create_symlink(dir / "zelk.dat", dir / ("zelk.dat.tmp-1111111111111111"));
    fs::create_directory(dir / ("zelk.dat.tmp-2222222222222222"));

    EXPECT_EQ(RemoveSaveLeftovers(*dir, dir / "kpx.ini"), 5);
    EXPECT_EQ(EntriesIn(*dir), 9u);
    EXPECT_EQ(ReadWhole(data), "keep");
    EXPECT_TRUE(fs::exists(data.string() + ".tmp-fedcba9876543210"));
    EXPECT_EQ(RemoveSaveLeftovers(*dir, dir / "kpx.ini"), 0);
}

TEST(SaveLeftovers, ALinkedDataFileIsCleanedWhereItsSavesWrite)
{
    TempDir dir;
    fs::create_directories(dir / "real");
    fs::create_symlink("real/zelk.dat", dir / "zelk.dat");
    WriteWhole(dir / "real" / "zelk.dat.tmp-0123456789abcdef", "left");
    EXPECT_EQ(RemoveStaleTemporaries(dir / "zelk.dat"), 1);
    EXPECT_EQ(EntriesIn(dir / "real"), 0u);
    EXPECT_EQ(RemoveStaleTemporaries(dir / "missing" / "zelk.dat"), 0);
}
