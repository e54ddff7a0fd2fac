// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One item that has a card on the server: where the card lives and the card both sides last
// agreed on, as the server sent it (so that photos and X- properties survive the next upload).
// An empty ETag means the server lost the card while the item changed here: it goes up again as new.
struct SyncedCard
{
    std::int32_t itemId = 0;
    std::string uid;
    std::string href;
    std::string etag;
    std::string card;
    // The agreement digest (AgreementDigest) of the item and this card when a run last found them
    // agreeing; while both give the same digest, neither side needs reading again. 0: never found.
    std::uint64_t agreed = 0;
};

// What one account (a data file and an address book URL) remembers between runs. Passwords are
// never part of it.
struct SyncState
{
    std::string url;     // as the user gave it
    std::string bookUrl; // the address book found there; empty until found
    std::string version = "4.0";
    bool syncTokens = false;
    std::string syncToken;
    std::string salt;               // drawn once; the first part of the UIDs of items made here
    std::vector<std::int32_t> node; // the synced node: identifiers from the root down
    std::vector<SyncedCard> cards;
    // The book's group cards as last taken (no item stands for them, so itemId is 0): what their
    // members were then tells what another client changed since.
    std::vector<SyncedCard> groups;

    SyncedCard* FindItem(std::int32_t itemId);
    SyncedCard* FindHref(std::string_view href);
};

// A state that cannot be read: reading on as if it were empty would upload and download every
// card again as new ones, so the run stops.
struct DamagedState
{
    std::string problem;
};

// The text form: a version line, one line per setting, each card's line (and each group card's)
// followed by its card's exact bytes, and a closing line with the count of cards and a checksum of everything before it.
std::string WriteSyncStateText(const SyncState& state);
// The state the text holds; DamagedState (thrown) names what is wrong.
SyncState ReadSyncStateText(std::string_view text);

// "<data file>.sync/<hash of the URL>.state".
std::filesystem::path SyncStatePath(const std::filesystem::path& dataFile, std::string_view url);
// None when there is none yet; throws FileError when the file cannot be read or is damaged (the
// message names the file and tells what to do).
std::optional<SyncState> LoadSyncState(const std::filesystem::path& path);
// Written atomically, 0600, in a folder only the user may enter.
void SaveSyncState(const std::filesystem::path& path, const SyncState& state);

// FNV-1a of text, going on from seed (the checksum of what came before it).
std::uint64_t TextChecksum(std::string_view text, std::uint64_t seed = 14695981039346656037ULL);

// A fresh salt: 16 hexadecimal digits from the system's random source.
std::string DrawSyncSalt();

} // namespace quillary
