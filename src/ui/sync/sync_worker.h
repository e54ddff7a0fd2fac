// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"
#include "model/category_names.h"
#include "shell/sync_accounts.h"
#include "sync/sync_report.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillary {

class GuiTreeAccess;
class ItemTree;

// One account's part of a round.
struct SyncJob
{
    std::size_t account = 0; // its place in the settings
    SyncAccount settings;
    std::string password;
    bool allowMassDelete = false;
};

struct SyncJobResult
{
    std::size_t account = 0;
    SyncAccount settings;
    SyncReport report;
};

// The accounts' runs of one round, on the sync thread: each with a transport of its own, its state
// beside the data file (as the command line keeps it), and the tree reached only through the
// window's tree access.
class SyncWorker
{
public:
    using TransportMaker =
        std::function<std::unique_ptr<DavTransport>(const SyncAccount& account, const std::string& password)>;
    struct Hooks
    {
        std::function<void(const std::string& text)> progress; // called on the sync thread
        std::function<bool(std::int32_t itemId)> busy;         // called inside pieces of tree work
        std::function<void()> saveTree;                        // called inside pieces of tree work
        std::function<CategoryNames()> categoryNames;          // called inside pieces of tree work
        std::function<void(const CategoryNames&)> saveCategoryNames; // the same
    };

    SyncWorker(ItemTree& tree, GuiTreeAccess& access, std::filesystem::path dataFile, TransportMaker makeTransport,
               Hooks hooks);

    std::vector<SyncJobResult> Run(const std::vector<SyncJob>& jobs);
    // From any thread: the run in progress ends after its current batch, the others are not begun.
    void RequestStop() { m_stop = true; }
    // On the sync thread: the request in progress fails at once.
    void AbortRequests();

private:
    SyncReport RunOne(const SyncJob& job);

    ItemTree& m_tree;
    GuiTreeAccess& m_access;
    std::filesystem::path m_dataFile;
    TransportMaker m_makeTransport;
    Hooks m_hooks;
    std::atomic<bool> m_stop{false};
    DavTransport* m_current = nullptr;
};

// The CardDAV transport over Qt Network, with the account's insecure-connection choice and the
// certificate it accepted.
std::unique_ptr<DavTransport> MakeQtTransport(const SyncAccount& account, const std::string& password);

} // namespace quillary
