// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-sync-bench [CONTACTS]: the synchronisation engine's own share of a run, over an address
// book kept in memory (10,000 contacts by default): the first run both ways (the contacts here
// going up, and as many cards coming down into an empty folder), runs with nothing changed (the
// first of them keeps each contact's digest), and a run with one change on each side. Then the first
// download again into a desktop's data file and state on disk, saved as the desktop saves them,
// after every batch and every few seconds (the default) side by side. The server's own time is not
// in these figures.
#include "memory_sync_store.h"
#include "scratch_folder.h"
#include "stopwatch.h"
#include "support/fake_address_book.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "shell/data_file_session.h"
#include "sync/local_cards.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <cstdlib>
#include <iomanip>
#include <iostream>

using namespace quillary;
using namespace quillary::bench;

namespace {

TPartyObject& AddPerson(TreeNode& folder, int n)
{
    const std::string first = "First" + std::to_string(n);
    const std::string last = "Last" + std::to_string(n % 977);
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, first + " " + last, "", "", folder, "", 0));
    person.SetNames("", first, "", last);
    CreateItem(KindPhone, "Work", "+1 555 " + std::to_string(100000 + n), "", *person.GetTreeNode(), "{Phon}", 0);
    CreateItem(KindEMail, "Home", first + "@example.org", "", *person.GetTreeNode(), "{Mail}", 0);
    person.SetPrimary(TPartyObject::SlotPhone, "Work");
    return person;
}

struct Side
{
    ItemTree tree;
    TreeNode* folder;
    SyncState state;
    Side()
    {
        folder = static_cast<TreeNode*>(CreateItem(KindFolder, "Synced", "", "", tree.Root(), "", 0)->GetTreeNode());
        state.url = test::FakeAddressBook::Url;
        state.salt = DrawSyncSalt();
        state.node = NodeIds(*folder);
    }
};

void Row(const std::string& what, double seconds, const SyncReport& report, int requests)
{
    std::cout << "| " << what << " | " << std::fixed << std::setprecision(3) << seconds << " | " << requests << " | "
              << report.SummaryLine() << " |\n";
}

// The data file and the state written to disk as the desktop program writes them.
class DiskSyncStore final : public SyncStore
{
public:
    DiskSyncStore(ItemTree& tree, const std::filesystem::path& folder)
        : m_tree(tree), m_session(folder / "zelk.dat"), m_state(folder / "state")
    {
    }
    void SaveTree() override
    {
        m_session.Save(m_tree);
        ++treeSaves;
    }
    void SaveState(const SyncState& state) override { SaveSyncState(m_state, state); }
    void SaveCategoryNames(const CategoryNames&) override {} // the bench's cards carry no categories
    int treeSaves = 0;

private:
    ItemTree& m_tree;
    DataFileSession m_session;
    std::filesystem::path m_state;
};

void DownloadToDisk(test::FakeAddressBook& server, std::chrono::milliseconds saveInterval, const std::string& what)
{
    ScratchFolder folder;
    Side side;
    DiskSyncStore store(side.tree, folder.Path());
    SyncOptions options;
    options.saveInterval = saveInterval;
    SyncReport report;
    const int before = server.requests;
    const double seconds = Seconds([&] { report = RunSync(server, side.state, *side.folder, store, options); });
    Row(what + " (data file written " + std::to_string(store.treeSaves) + " times)", seconds, report,
        server.requests - before);
}

double Run(Side& side, test::FakeAddressBook& server, SyncReport& report, int& requests)
{
    MemorySyncStore store(side.tree);
    const int before = server.requests;
    const double seconds = Seconds([&] { report = RunSync(server, side.state, *side.folder, store, {}); });
    requests = server.requests - before;
    return seconds;
}
} // namespace

int main(int argc, char** argv)
{
    const int contacts = argc > 1 ? std::atoi(argv[1]) : 10000;
    test::FakeAddressBook server;
    Side desktop;
    for (int n = 0; n < contacts; ++n)
        AddPerson(*desktop.folder, n);
    std::cout << "| run (" << contacts << " contacts) | seconds | requests | summary |\n|---|---|---|---|\n";
    SyncReport report;
    int requests = 0;
    double seconds = Run(desktop, server, report, requests);
    Row("first run, all going up", seconds, report, requests);
    Side laptop;
    seconds = Run(laptop, server, report, requests);
    Row("first run, all coming down into an empty folder", seconds, report, requests);
    seconds = Run(desktop, server, report, requests);
    Row("nothing changed, the first time (each contact read, its digest kept)", seconds, report, requests);
    seconds = Run(desktop, server, report, requests);
    Row("nothing changed", seconds, report, requests);
    AddPerson(*laptop.folder, contacts);
    Run(laptop, server, report, requests);
    desktop.folder->ChildAt(0)->Data()->SetComment("changed here");
    seconds = Run(desktop, server, report, requests);
    Row("one change on each side", seconds, report, requests);
    DownloadToDisk(server, std::chrono::milliseconds(0), "all coming down to disk, saved after every batch");
    DownloadToDisk(server, SyncOptions{}.saveInterval, "all coming down to disk, saved every few seconds");
    return 0;
}
