// SPDX-License-Identifier: GPL-3.0-or-later
// One account's synchronisation as the command line runs it, with the data file and the state kept
// in memory and the server a FakeAddressBook: runs can be cut off at any request or killed at any
// save, and started again.
#pragma once

#include "support/contact_facts.h"
#include "support/fake_address_book.h"
#include "support/test_files.h"

#include "common/blank_trim.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/node_path.h"
#include "shell/settings_keys.h"
#include "exchange/vcard_content_lines.h"
#include "sync/card_mapping.h"
#include "sync/local_cards.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"
#include "sync/sync_tree_access.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quillary::test {

// A process that dies right after a save.
struct Killed
{
};

inline CategoryNames FirstCategoryNames()
{
    CategoryNames names;
    for (int n = 1; n <= CategoryCount; ++n)
        names[static_cast<std::size_t>(n - 1)] = settings::DefaultCategoryName(n);
    return names;
}

class SyncHarness
{
public:
    static constexpr const char* NodePath = "My Contacts/Synced";

    FakeAddressBook server;
    std::string data;
    std::optional<std::string> state;
    int killAfterSave = 0; // the save (counted over all runs from 1) after which the process dies
    int saves = 0;
    // The user at work before each piece of tree work of a run (counted from 1 in each run); set,
    // runs go through a tree access and find the synced node by its identifiers.
    std::function<void(ItemTree&, int piece)> meanwhile;
    // Set, new items draw their identifiers from it, so that a seeded sequence of runs replays.
    std::optional<std::mt19937> ids;
    // The category names of the settings file; a run that places new ones saves them here.
    CategoryNames categories = FirstCategoryNames();
    // Set, runs go through it to the address book at url instead of to server.
    DavTransport* transport = nullptr;
    std::string url = FakeAddressBook::Url;

    SyncHarness()
    {
        ItemTree tree;
        CreateItem(KindFolder, "Synced", "", "", tree.Root(), "", 0);
        CreateItem(KindFolder, "Elsewhere", "", "", tree.Root(), "", 0);
        data = SavedTree(tree);
    }

    // Changes the data file as the user would between runs.
    void Edit(const std::function<void(ItemTree&, TreeNode& synced)>& edit)
    {
        ItemTree tree;
        Load(tree);
        DrawIds(tree);
        edit(tree, *FindNodeByPath(tree.Root(), NodePath));
        data = SavedTree(tree);
    }

    SyncReport Run(SyncOptions options = {})
    {
        ItemTree tree;
        Load(tree);
        DrawIds(tree);
        TreeNode& node = *FindNodeByPath(tree.Root(), NodePath);
        SyncState current = state ? ReadSyncStateText(*state) : Fresh(node);
        Store store(*this, tree);
        Meanwhile access(*this, tree);
        DavTransport& to = transport ? *transport : server;
        options.categories = categories;
        try {
            if (!meanwhile)
                return RunSync(to, current, node, store, options);
            options.treeAccess = &access;
            return RunSync(to, current, tree, NodeIds(node), store, options);
        } catch (const Killed&) {
            SyncReport report;
            report.outcome = SyncReport::Outcome::Failed;
            return report;
        }
    }

    // The persons and organizations of the data file, as facts.
    std::string Facts() const
    {
        ItemTree tree;
        Load(tree);
        return ContactFacts(tree);
    }

    // What the server holds: each card as the tree would take it, UIDs left out, sorted.
    std::vector<std::string> ServerFacts() const
    {
        std::vector<std::string> facts;
        ItemTree scratch;
        for (const auto& [href, card] : server.Cards()) {
            CreateItemFromCard(scratch.Root(), card.card, categories);
        }
        std::istringstream lines(ContactFacts(scratch));
        std::string line, one;
        while (std::getline(lines, line)) {
            if (line.rfind("  ", 0) != 0 && !one.empty()) {
                facts.push_back(one);
                one.clear();
            }
            one += line + "\n";
        }
        if (!one.empty())
            facts.push_back(one);
        std::sort(facts.begin(), facts.end());
        return facts;
    }

    // The server's card whose formatted name is name (blanks around it aside), and its href.
    std::string ServerCard(const std::string& name) const { return Named(name).card; }
    std::string HrefOf(const std::string& name) const { return Named(name).href; }

private:
    class Meanwhile final : public SyncTreeAccess
    {
    public:
        Meanwhile(SyncHarness& harness, ItemTree& tree) : m_harness(harness), m_tree(tree) {}
        void Run(const std::function<void()>& work) override
        {
            m_harness.meanwhile(m_tree, ++m_pieces);
            work();
        }

    private:
        SyncHarness& m_harness;
        ItemTree& m_tree;
        int m_pieces = 0;
    };

    class Store final : public SyncStore
    {
    public:
        Store(SyncHarness& harness, ItemTree& tree) : m_harness(harness), m_tree(tree) {}
        void SaveTree() override
        {
            m_harness.data = SavedTree(m_tree);
            Saved();
        }
        void SaveState(const SyncState& state) override
        {
            m_harness.state = WriteSyncStateText(state);
            Saved();
        }
        void SaveCategoryNames(const CategoryNames& names) override { m_harness.categories = names; }

    private:
        void Saved()
        {
            if (++m_harness.saves == m_harness.killAfterSave)
                throw Killed{};
        }
        SyncHarness& m_harness;
        ItemTree& m_tree;
    };

    DavResource Named(const std::string& name) const
    {
        for (const auto& [href, card] : server.Cards())
            for (const CardLine& line : ParseCardLines(card.card))
                if (line.name == "FN" && TrimBlanks(line.value) == name)
                    return card;
        return {};
    }

    void DrawIds(ItemTree& tree)
    {
        if (ids)
            tree.Ids().SetRandomSource([this](std::int32_t bound) { return static_cast<std::int32_t>((*ids)() % bound); });
    }

    void Load(ItemTree& tree) const
    {
        std::istringstream in(data);
        LoadDataStream(in, tree.Root());
    }

    SyncState Fresh(const TreeNode& node) const
    {
        SyncState fresh;
        fresh.url = url;
        fresh.salt = "5a17";
        fresh.node = NodeIds(node);
        return fresh;
    }
};

// A person with a phone and an e-mail address (primary both), under parent.
inline TPersonObject& AddPerson(TreeNode& parent, const std::string& first, const std::string& last,
                                const std::string& phone = "", const std::string& email = "")
{
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, first + " " + last, "", "", parent, "", 0));
    person.SetNames("", first, "", last);
    person.SetTarget(" " + first + " " + last);
    if (!phone.empty()) {
        CreateItem(KindPhone, "Work", phone, "", *person.GetTreeNode(), "{Phon}", 0);
        person.SetPrimary(TPartyObject::SlotPhone, "Work");
    }
    if (!email.empty()) {
        CreateItem(KindEMail, "Home", email, "", *person.GetTreeNode(), "{Mail}", 0);
        person.SetPrimary(TPartyObject::SlotEMail, "Home");
    }
    return person;
}

// A card as another client writes it.
inline std::string OtherCard(const std::string& uid, const std::string& first, const std::string& last,
                             const std::vector<std::string>& lines = {})
{
    std::string card = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:" + uid + "\r\nFN:" + first + " " + last + "\r\nN:" + last +
                       ";" + first + ";;;\r\n";
    for (const std::string& line : lines)
        card += line + "\r\n";
    return card + "END:VCARD\r\n";
}

inline TPartyObject* FindParty(ItemTree& tree, const std::string& title)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (auto* party = dynamic_cast<TPartyObject*>(tree.NodeAt(i)->Data()); party && party->GetTitle() == title)
            return party;
    return nullptr;
}

} // namespace quillary::test
