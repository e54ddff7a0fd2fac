// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file under faults: unreadable, on a full disk, holding lines we cannot parse.
#include "support/fault_setups.h"
#include "support/test_files.h"

#include "common/file_error.h"
#include "common/temporary_file.h"
#include "shell/profile_file.h"
#include "shell/tool_items.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
constexpr std::string_view Stored = "[WinState]\r\nNorm_Width=900\r\n";

bool TemporaryLeftBeside(const fs::path& file)
{
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        if (IsTemporaryNameOf(file, entry.path().filename().string()))
            return true;
    return false;
}
} // namespace

TEST(SettingsFaults, AFolderInTheFilesPlaceIsNeverWrittenOver)
{
    TempDir dir;
    const fs::path path = dir / "kpx.ini";
    fs::create_directory(path);
    TProfileFile settings(path);
    EXPECT_EQ(settings.State(), TProfileFile::LoadState::Unreadable);
    EXPECT_EQ(settings.ReadProblem(), "Is a directory");
    EXPECT_EQ(settings.ReadInteger("WinState", "Norm_Width", 640), 640);
    settings.WriteInteger("WinState", "Norm_Width", 700);
    EXPECT_NO_THROW(settings.Flush());
    EXPECT_TRUE(settings.IsDirty());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(TemporaryLeftBeside(path));
}

// The user's own settings file with mode 000 in the user's own folder: the program, running as
// that user, cannot read it, and must not replace it with defaults although it could.
TEST(SettingsFaults, AFileItsOwnerCannotReadKeepsItsContent)
{
    TempDir dir;
    const fs::path folder = dir / "config";
    const fs::path path = folder / "kpx.ini";
    fs::create_directory(folder);
    WriteWhole(path, std::string(Stored));
    fs::permissions(path, fs::perms::none);
    ASSERT_EQ(::chown(folder.c_str(), NobodyId, NobodyId), 0);
    ASSERT_EQ(::chown(path.c_str(), NobodyId, NobodyId), 0);

    const int result = RunAsNobody([&] {
        TProfileFile settings(path);
        if (settings.State() != TProfileFile::LoadState::Unreadable || settings.ReadProblem() != "Permission denied")
            return 1;
        if (settings.ReadInteger("WinState", "Norm_Width", 640) != 640)
            return 2;
        settings.WriteInteger("WinState", "Norm_Width", 640);
        try {
            settings.Flush();
        } catch (const FileError&) {
            return 3;
        }
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWhole(path), Stored);
    EXPECT_EQ(ModeOf(path), fs::perms::none);
    EXPECT_FALSE(TemporaryLeftBeside(path));
}

TEST(SettingsFaults, AMissingFileIsMadePrivateWithItsFolders)
{
    const UmaskScope umask(0);
    TempDir dir;
    const fs::path path = dir / "config" / "quillary" / "kpx.ini";
    TProfileFile settings(path);
    EXPECT_EQ(settings.State(), TProfileFile::LoadState::Missing);
    settings.WriteInteger("WinState", "Norm_Width", 700);
    settings.Flush();
    EXPECT_EQ(ModeOf(path), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ModeOf(dir / "config"), fs::perms::owner_all);
    EXPECT_EQ(ModeOf(dir / "config" / "quillary"), fs::perms::owner_all);
    EXPECT_EQ(TProfileFile(path).State(), TProfileFile::LoadState::Loaded);
    // Even with the folders opened up, another user cannot read the file itself.
    for (const fs::path& folder : {*dir, dir / "config", dir / "config" / "quillary"})
        fs::permissions(folder, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_FALSE(NobodyCanRead(path));
}

TEST(SettingsFaults, AFullDiskFailsTheFlushAndLosesNothing)
{
    TempDir dir;
    const FullDisk disk(dir / "disk");
    ASSERT_TRUE(disk.Mounted());
    const fs::path path = dir / "disk" / "kpx.ini";
    WriteWhole(path, std::string(Stored));
    disk.Fill();
    TProfileFile settings(path);
    settings.WriteString("Browser", "Path", std::string(8000, 'p'));
    try {
        settings.Flush();
        ADD_FAILURE() << "the flush claimed success on a full disk";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), path);
    }
    EXPECT_TRUE(settings.IsDirty());
    EXPECT_EQ(ReadWhole(path), Stored);
    EXPECT_FALSE(TemporaryLeftBeside(path));
}

TEST(SettingsFaults, ToolLinesThatAreNoToolsSurviveEverySave)
{
    TempDir dir;
    const fs::path path = dir / "kpx.ini";
    WriteWhole(path,
               "[Tools]\r\nTool0=only,two\r\nTool1=A,/bin/a,,0\r\nEditor=\"open quote,x\r\nTool2=B,/bin/b,,1\r\n");
    for (int round = 0; round < 2; ++round) {
        TProfileFile settings(path);
        TToolItems tools;
        tools.Load(settings);
        ASSERT_EQ(tools.Count(), 2u);
        EXPECT_EQ(tools.At(1)->Description, "B");
        tools.Save(settings);
        settings.Flush();
    }
    // The tools come first; the other lines follow under their own key while it is free.
    EXPECT_EQ(ReadWhole(path), "[Tools]\r\nTool0=A,/bin/a,,0\r\nTool1=B,/bin/b,,1\r\nTool2=only,two\r\n"
                               "Editor=\"open quote,x\r\n");
}
