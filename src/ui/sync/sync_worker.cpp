// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_worker.h"

#include "common/file_error.h"
#include "model/item_tree.h"
#include "model/node_path.h"
#include "platform/dav_qt_transport.h"
#include "sync/local_cards.h"
#include "sync/sync_account_state.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"
#include "ui/sync/gui_tree_access.h"

#include <optional>

namespace quillary {

namespace {
// The data file first, then the state, as the engine asks.
class WorkerStore final : public SyncStore
{
public:
    WorkerStore(const SyncWorker::Hooks& hooks, GuiTreeAccess& access, std::filesystem::path stateFile)
        : m_hooks(hooks), m_access(access), m_stateFile(std::move(stateFile))
    {
    }
    void SaveTree() override { m_hooks.saveTree(); }
    void SaveState(const SyncState& state) override { SaveSyncState(m_stateFile, state); }
    void SaveCategoryNames(const CategoryNames& names) override
    {
        m_access.Run([&] { m_hooks.saveCategoryNames(names); });
    }

private:
    const SyncWorker::Hooks& m_hooks;
    GuiTreeAccess& m_access;
    std::filesystem::path m_stateFile;
};

SyncReport Failure(const std::string& message)
{
    SyncReport report;
    report.outcome = SyncReport::Outcome::Failed;
    report.failure = {DavFailure::NotFound, 0, message, {}};
    return report;
}
} // namespace

SyncWorker::SyncWorker(ItemTree& tree, GuiTreeAccess& access, std::filesystem::path dataFile,
                       TransportMaker makeTransport, Hooks hooks)
    : m_tree(tree), m_access(access), m_dataFile(std::move(dataFile)), m_makeTransport(std::move(makeTransport)),
      m_hooks(std::move(hooks))
{
}

std::vector<SyncJobResult> SyncWorker::Run(const std::vector<SyncJob>& jobs)
{
    m_stop = false;
    std::vector<SyncJobResult> results;
    for (const SyncJob& job : jobs) {
        if (m_stop)
            break;
        results.push_back({job.account, job.settings, RunOne(job)});
    }
    return results;
}

void SyncWorker::AbortRequests()
{
    if (auto* qt = dynamic_cast<QtDavTransport*>(m_current))
        qt->AbortRequests();
}

SyncReport SyncWorker::RunOne(const SyncJob& job)
{
    const std::string& url = job.settings.SyncUrl();
    try {
        const std::unique_ptr<DavTransport> transport = m_makeTransport(job.settings, job.password);
        m_current = transport.get();
        SyncReport report;
        const std::optional<std::filesystem::path> statePath =
            SyncStateOfBook(*transport, m_dataFile, url, report.failure);
        if (!statePath) {
            m_current = nullptr;
            report.outcome = SyncReport::Outcome::Failed;
            return report;
        }
        std::optional<SyncState> state;
        std::vector<std::int32_t> nodeIds;
        CategoryNames categories{};
        std::string problem;
        m_access.Run([&] {
            TreeNode* node = FindNodeByPath(m_tree.Root(), job.settings.nodePath);
            if (!node) {
                problem = "the folder " + job.settings.nodePath + " is not in the tree; choose another one in Options";
                return;
            }
            nodeIds = NodeIds(*node);
            state = StateForNode(*statePath, url, *node, problem);
            categories = m_hooks.categoryNames();
        });
        if (!state) {
            m_current = nullptr;
            return Failure(problem);
        }
        WorkerStore store(m_hooks, m_access, *statePath);
        SyncOptions options;
        options.categories = categories;
        options.allowMassDelete = job.allowMassDelete;
        options.treeAccess = &m_access;
        options.busy = m_hooks.busy;
        options.stopRequested = [this] { return m_stop.load(); };
        options.progress = [&](std::string_view text) { m_hooks.progress(job.settings.name + ": " + std::string(text)); };
        report = RunSync(*transport, *state, m_tree, nodeIds, store, options);
        m_current = nullptr;
        return report;
    } catch (const FileError& error) {
        m_current = nullptr;
        return Failure(error.what());
    } catch (const SyncClosed&) {
        m_current = nullptr;
        SyncReport report;
        report.outcome = SyncReport::Outcome::Stopped;
        return report;
    }
}

std::unique_ptr<DavTransport> MakeQtTransport(const SyncAccount& account, const std::string& password)
{
    DavConnectionOptions options = SyncConnectionOptions();
    options.allowInsecure = account.allowInsecure;
    auto transport = std::make_unique<QtDavTransport>(DavCredentials{account.user, password}, options);
    if (!account.fingerprint.empty())
        transport->AcceptFingerprint(account.fingerprint);
    return transport;
}

} // namespace quillary
