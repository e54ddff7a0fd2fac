// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_account_state.h"

#include "common/file_error.h"
#include "dav/url_parts.h"
#include "model/item_tree.h"
#include "model/node_path.h"
#include "sync/local_cards.h"
#include "sync/sync_book.h"

#include <system_error>

namespace quillary {

namespace {
// The state at the canonical key of url, when it is the state of the book at that very URL.
std::optional<std::filesystem::path> StateOfBookUrl(const std::filesystem::path& dataFile, const std::string& url)
{
    const std::optional<std::string> key = CanonicalCollectionUrl(url);
    if (!key)
        return std::nullopt;
    std::filesystem::path path = SyncStatePath(dataFile, *key);
    const std::optional<SyncState> state = LoadSyncState(path);
    if (state && CanonicalCollectionUrl(state->bookUrl) == key)
        return path;
    return std::nullopt;
}

// A new name (a hard link) for the old file, then the old name goes: the move is never half done,
// and a state already at the new name is never replaced. Where the file system has no hard links,
// a rename does it: the data file's lock keeps other runs from making the new name meanwhile.
void MoveStateOver(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    if (from == to || !std::filesystem::exists(from, error) || std::filesystem::exists(to, error))
        return;
    std::filesystem::create_hard_link(from, to, error);
    if (error == std::errc::file_exists)
        return;
    if (error)
        std::filesystem::rename(from, to, error);
    else
        std::filesystem::remove(from, error);
    std::error_code ignored;
    if (error && !std::filesystem::exists(to, ignored))
        throw FileError(from, "cannot move the synchronisation state to " + to.string() + " (" + error.message() +
                                  "); nothing was synchronised");
}
} // namespace

std::optional<std::filesystem::path> SyncStateOfBook(DavTransport& transport, const std::filesystem::path& dataFile,
                                                     const std::string& url, DavStatus& status)
{
    status = {};
    if (std::optional<std::filesystem::path> known = StateOfBookUrl(dataFile, url))
        return known;
    DavAddressBook book;
    status = FindSyncBook(transport, url, book);
    if (!status.Ok())
        return std::nullopt;
    std::filesystem::path path = SyncStatePath(dataFile, CanonicalCollectionUrl(book.url).value_or(book.url));
    MoveStateOver(SyncStatePath(dataFile, url), path);
    return path;
}

std::optional<SyncState> StateForNode(const std::filesystem::path& path, const std::string& url, TreeNode& node,
                                      std::string& problem)
{
    std::optional<SyncState> state = LoadSyncState(path);
    if (!state) {
        state.emplace();
        state->salt = DrawSyncSalt();
    } else if (!state->node.empty() && state->node != NodeIds(node)) {
        if (const TreeNode* other = FindNodeByIds(node.Tree().Root(), state->node)) {
            problem = url + " is synchronised with " + NodePath(*other) + ", not " + NodePath(node);
            return std::nullopt;
        }
    }
    state->url = url;
    state->node = NodeIds(node);
    return state;
}

} // namespace quillary
