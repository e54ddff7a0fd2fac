// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "common/file_error.h"
#include "sync/sync_state.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillary;
using namespace quillary::test;

namespace {
SyncState Sample()
{
    SyncState state;
    state.url = "https://dav.example/ann books/";
    state.bookUrl = "https://dav.example/ann books/contacts/";
    state.version = "3.0";
    state.syncTokens = true;
    state.syncToken = "http://radicale.org/ns/sync/abc 1";
    state.salt = DrawSyncSalt();
    state.node = {32892645, -7, 12};
    // Cards hold line ends, blanks, "%" and a line that looks like the state's own.
    state.cards.push_back({12, "uid with blanks", "/ann books/contacts/a%20b.vcf", "\"e 1\"",
                           "BEGIN:VCARD\r\nNOTE:100% sure\r\nend 3 ffff\nEND:VCARD\r\n"});
    state.cards.push_back({-5, "", "/x.vcf", "", ""});
    return state;
}

std::string Text(const SyncState& state)
{
    return WriteSyncStateText(state);
}
} // namespace

TEST(SyncState, EverythingComesBackAsWritten)
{
    const SyncState state = Sample();
    const SyncState read = ReadSyncStateText(Text(state));
    EXPECT_EQ(Text(read), Text(state));
    EXPECT_EQ(read.cards.at(0).card, state.cards.at(0).card);
    EXPECT_EQ(read.cards.at(0).href, state.cards.at(0).href);
    EXPECT_EQ(read.node, state.node);
    EXPECT_EQ(read.syncToken, state.syncToken);
    EXPECT_EQ(read.salt.size(), 16U);
    EXPECT_NE(DrawSyncSalt(), DrawSyncSalt());
}

TEST(SyncState, ADamagedStateIsRefusedNeverReadAsEmpty)
{
    const std::string text = Text(Sample());
    std::vector<std::string> damaged = {
        "",                                                           // emptied
        text.substr(0, text.size() / 2),                              // cut short
        text.substr(0, text.rfind("end ")),                           // closing line lost
        text + "card 1 a b c 0\n\n",                                  // something after the end
        "Quillary sync state 9\n" + text.substr(text.find('\n') + 1), // a version not known
    };
    // Every single byte changed somewhere: a flipped bit in a card, a count or the checksum.
    for (std::size_t at = 0; at < text.size(); at += 7) {
        std::string flipped = text;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x20);
        damaged.push_back(flipped);
    }
    for (const std::string& bad : damaged)
        EXPECT_THROW(ReadSyncStateText(bad), DamagedState) << bad;
}

TEST(SyncState, FilesArePrivateAndADamagedOneNamesItself)
{
    TempDir dir;
    const auto data = dir / "zelk.dat";
    const auto path = SyncStatePath(data, "https://dav.example/a/");
    EXPECT_EQ(path.parent_path(), dir / "zelk.dat.sync");
    EXPECT_NE(path, SyncStatePath(data, "https://dav.example/b/"));
    EXPECT_EQ(path, SyncStatePath(data, "https://dav.example/a/"));
    EXPECT_FALSE(LoadSyncState(path).has_value());

    const SyncState saved = Sample();
    SaveSyncState(path, saved);
    struct stat info = {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600U);
    ASSERT_EQ(stat(path.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700U);
    EXPECT_EQ(Text(*LoadSyncState(path)), Text(saved));

    std::string text = ReadWhole(path);
    text[text.size() / 2] ^= 1;
    WriteWhole(path, text);
    try {
        LoadSyncState(path);
        FAIL() << "a damaged state was read";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("damaged"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos);
    }
}
