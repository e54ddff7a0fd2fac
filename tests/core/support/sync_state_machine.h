// SPDX-License-Identifier: GPL-3.0-or-later
// Random sequences of changes on both sides, with runs among them (cut off, killed, or raced by
// another client). After every clean run, and a second one that finds nothing, both sides hold
// the same contacts, none twice, and no value either side wrote is lost without a conflict record
// in the note. The server is a SyncServerSide: the fake address book or a real server.
#pragma once

#include "support/sync_harness.h"

#include "model/items_contact.h"
#include "sync/card_mapping.h"
#include "sync/sync_plan.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace quillary::test::machine {

enum Field { Note, Phone, Email, FieldCount };
constexpr const char* FieldNames[] = {"note", "phone", "e-mail"};
constexpr const char* LineNames[] = {"NOTE", "TEL", "EMAIL"};
constexpr const char* Folders[] = {"Synced", "Synced/A", "Synced/B"}; // from the synced folder on
constexpr int MaxContacts = 30;
constexpr int EpisodeSteps = 40;

// What one side shows of a contact.
struct Shown
{
    std::array<std::vector<std::string>, FieldCount> values;
};

// The reference model: a value a side wrote stays live until a side that saw it writes over it
// or deletes the contact; a live value must survive, in its field or in a conflict note. A kind
// is one of two values: which write of it a side saw cannot be told, and a kind changed there and
// back is no change, so kinds are only compared between the sides.
struct Contact
{
    std::array<std::set<std::string>, FieldCount> live;
    bool kindChanged = false; // a change of kind is a change that wins over a delete
    bool Alive() const
    {
        return std::any_of(live.begin(), live.end(), [](const auto& set) { return !set.empty(); });
    }
};

inline std::vector<TPartyObject*> PartiesBelow(TreeNode& node)
{
    std::vector<TPartyObject*> found;
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (auto* party = dynamic_cast<TPartyObject*>(node.ChildAt(i)->Data()))
            found.push_back(party);
        const auto deeper = PartiesBelow(*node.ChildAt(i));
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

inline TKPXObject* FirstDetail(TPartyObject& party, int kind)
{
    for (int i = 0; i < party.ChildCount(); ++i)
        if (party.ChildAt(i)->GetKind() == kind)
            return party.ChildAt(i);
    return nullptr;
}

inline Shown ShownHere(TPartyObject& party)
{
    Shown shown;
    shown.values[Note] = {std::string(party.GetComment())};
    for (int i = 0; i < party.ChildCount(); ++i) {
        const int kind = party.ChildAt(i)->GetKind();
        if (kind == KindPhone || kind == KindEMail)
            shown.values[kind == KindPhone ? Phone : Email].push_back(std::string(party.ChildAt(i)->GetTarget()));
    }
    return shown;
}

inline Shown ShownThere(const std::string& card)
{
    Shown shown;
    const std::vector<CardLine> lines = ParseCardLines(card);
    for (const CardLine& line : lines)
        for (int f = 0; f < FieldCount; ++f)
            if (line.name == LineNames[f])
                shown.values[f].push_back(f == Note ? UnescapeCardText(line.value) : ReadableValue(line));
    return shown;
}

inline bool Holds(const Shown& shown, int field, const std::string& token)
{
    for (int f : {field, int(Note)})
        for (const std::string& value : shown.values[f])
            if (value.find(token) != std::string::npos)
                return true;
    return false;
}

// The server of a state machine's runs, as another client sees and changes it, and the faults it
// can put in the runs' way.
class SyncServerSide
{
public:
    virtual ~SyncServerSide() = default;
    // What the runs go through, to the address book at Url().
    virtual DavTransport& Transport() = 0;
    virtual std::string Url() const = 0;
    // The path of the address book, where the other client adds its cards.
    virtual std::string Path() const = 0;
    // The vCard version the book keeps ("3.0" or "4.0").
    virtual std::string Version() const = 0;
    // Every card by href, with its ETag and body.
    virtual std::map<std::string, DavResource> Cards() = 0;
    // The other client writes or deletes a card, whatever its ETag.
    virtual void Write(const std::string& href, const std::string& card) = 0;
    virtual void Remove(const std::string& href) = 0;
    // Runs before a run's PUT or DELETE is answered; none when empty.
    virtual void BeforeWrite(std::function<void(const std::string& href)> hook) = 0;
    // The request that many from now (counting from 1) fails as a lost connection; 0: none.
    virtual void FailRequest(int fromNow) = 0;
};

// Makes the server side of an episode's harness.
using SyncServerSideFor = std::function<std::unique_ptr<SyncServerSide>(SyncHarness&)>;

class SyncStateMachine
{
public:
    SyncStateMachine(std::uint64_t seed, bool faults, const SyncServerSideFor& sideFor)
        : m_side(sideFor(m_harness)), m_seed(seed), m_rng(seed), m_faults(faults)
    {
        m_harness.transport = &m_side->Transport();
        m_harness.url = m_side->Url();
        m_harness.ids.emplace(static_cast<std::mt19937::result_type>(seed));
        m_harness.Edit([](ItemTree&, TreeNode& synced) {
            for (const char* folder : {"A", "B"})
                CreateItem(KindFolder, folder, "", "", synced, "", 0);
        });
    }

    // One random step; false with the problems found once a check fails.
    bool Step(std::string& problems)
    {
        switch (Draw(20)) {
        case 0: case 1: return Log(CreateHere());
        case 2: case 3: return Log(CreateThere());
        case 4: case 5: case 6: return Log(EditHere());
        case 7: case 8: case 9: return Log(EditThere());
        case 10: return Log(DeleteHere());
        case 11: return Log(DeleteThere());
        case 12: return Log(MoveHere());
        case 13: return Log(KindHere());
        case 14: return Log(KindThere());
        case 15: return Log(NewEtag());
        case 16: case 17: return Log(m_faults ? FaultyRun() : RacedRun());
        default: return Synced(problems);
        }
    }

    bool Synced(std::string& problems)
    {
        m_log.push_back("clean run and check");
        problems = CleanRuns();
        if (problems.empty())
            problems = Compare();
        return problems.empty();
    }

    std::string Replay() const
    {
        std::string text = "seed " + std::to_string(m_seed) + " (QUILLARY_SYNC_SEED=" + std::to_string(m_seed) +
                           " QUILLARY_SYNC_STEPS=" + std::to_string(EpisodeSteps) + " replay it in this test), steps:\n";
        for (std::size_t i = 0; i < m_log.size(); ++i)
            text += "  " + std::to_string(i + 1) + ". " + m_log[i] + "\n";
        text += "here:\n" + m_harness.Facts() + "there:\n";
        for (const auto& [href, card] : m_side->Cards())
            text += href + " " + card.etag + "\n" + card.card;
        return text;
    }

private:
    std::size_t Draw(std::size_t n) { return static_cast<std::size_t>(m_rng() % n); }
    bool Log(std::string step)
    {
        if (!step.empty())
            m_log.push_back(std::move(step));
        return true;
    }
    std::string Fresh(int field)
    {
        const std::string n = std::to_string(100000 + ++m_values).substr(1);
        return field == Note ? "n" + n : field == Phone ? "555 " + n : "e" + n + "@example.org";
    }

    // Whatever the side showed of the contact is seen by its writer: live values found in it go.
    void Saw(Contact& contact, const std::vector<std::string>& seen)
    {
        for (auto& live : contact.live)
            std::erase_if(live, [&](const std::string& token) {
                return std::any_of(seen.begin(), seen.end(),
                                   [&](const std::string& value) { return value.find(token) != std::string::npos; });
            });
    }
    void SawAll(Contact& contact, const Shown& shown)
    {
        std::vector<std::string> seen;
        for (const auto& values : shown.values)
            seen.insert(seen.end(), values.begin(), values.end());
        Saw(contact, seen);
    }

    std::string NewContact(std::array<std::string, FieldCount>& values)
    {
        const std::string name = "C" + std::to_string(++m_contacts) + " Poe";
        Contact& contact = m_model[name];
        for (int f = 0; f < FieldCount; ++f)
            contact.live[f].insert(values[f] = Fresh(f));
        return name;
    }

    std::string CreateHere()
    {
        if (m_contacts >= MaxContacts)
            return {};
        std::array<std::string, FieldCount> values;
        const std::string name = NewContact(values);
        const char* folder = Folders[Draw(3)];
        m_harness.Edit([&](ItemTree&, TreeNode& synced) {
            AddPerson(*FindNodeByPath(synced, folder), name.substr(0, name.find(' ')), "Poe", values[Phone],
                      values[Email])
                .SetComment(values[Note]);
        });
        return "here: new " + name + " in " + folder;
    }

    std::string CreateThere()
    {
        if (m_contacts >= MaxContacts)
            return {};
        std::array<std::string, FieldCount> values;
        const std::string name = NewContact(values);
        const std::string uid = "s" + name.substr(1, name.find(' ') - 1);
        m_side->Write(m_side->Path() + uid + ".vcf",
                               OtherCard(uid, name.substr(0, name.find(' ')), "Poe",
                                         {"NOTE:" + values[Note], "TEL:" + values[Phone], "EMAIL:" + values[Email]}));
        return "there: new " + name;
    }

    // Runs change on a random contact of the synced folder; the step's text, or none when empty.
    std::string Here(const std::function<std::string(ItemTree&, TreeNode&, TPartyObject&, Contact&)>& change)
    {
        std::string step;
        m_harness.Edit([&](ItemTree& tree, TreeNode& synced) {
            const auto parties = PartiesBelow(synced);
            if (parties.empty())
                return;
            TPartyObject& party = *parties[Draw(parties.size())];
            const std::string name(party.GetTitle());
            step = "here: " + change(tree, synced, party, m_model[name]) + " " + name;
        });
        return step;
    }

    std::string EditHere()
    {
        const int field = static_cast<int>(Draw(FieldCount));
        return Here([&](ItemTree&, TreeNode&, TPartyObject& party, Contact& contact) {
            const std::string value = Fresh(field);
            if (field == Note) {
                Saw(contact, {std::string(party.GetComment())});
                party.SetComment(value);
            } else {
                const int kind = field == Phone ? KindPhone : KindEMail;
                if (TKPXObject* detail = FirstDetail(party, kind)) {
                    Saw(contact, {std::string(detail->GetTarget())});
                    detail->SetTarget(value);
                } else {
                    CreateItem(kind, "Work", value, "", *party.GetTreeNode(), field == Phone ? "{Phon}" : "{Mail}", 0);
                }
            }
            contact.live[field].insert(value);
            return std::string(FieldNames[field]) + " = " + value + " on";
        });
    }

    std::string DeleteHere()
    {
        const bool away = Draw(2) == 0;
        return Here([&](ItemTree& tree, TreeNode&, TPartyObject& party, Contact& contact) {
            SawAll(contact, ShownHere(party));
            if (away)
                tree.MoveNodeWithMarks(*party.GetTreeNode(), *FindNodeByPath(tree.Root(), "My Contacts/Elsewhere"));
            else
                DestroyItem(party);
            return std::string(away ? "move out of the synced folder" : "delete");
        });
    }

    std::string MoveHere()
    {
        const char* folder = Folders[Draw(3)];
        return Here([&](ItemTree& tree, TreeNode& synced, TPartyObject& party, Contact&) {
            tree.MoveNodeWithMarks(*party.GetTreeNode(), *FindNodeByPath(synced, folder));
            return "move to " + std::string(folder);
        });
    }

    std::string KindHere()
    {
        return Here([&](ItemTree&, TreeNode&, TPartyObject& party, Contact& contact) {
            const bool organization = party.GetKind() != KindOrganization;
            contact.kindChanged = true;
            std::vector<CardLine> lines = CardOfItem(party, "4.0");
            std::erase_if(lines, [](const CardLine& line) { return line.name == "KIND"; });
            if (organization)
                lines.push_back(PlainLine("KIND", "org"));
            ApplyCardToItem(party, WriteCardText(lines, "4.0"), {});
            return std::string(organization ? "make an organization of" : "make a person of");
        });
    }

    // Runs change on the lines of a random card of the server, which is written as changed, in
    // its own version (as a client that edits a card keeps it).
    std::string There(const std::function<std::string(std::vector<CardLine>&, Contact&)>& change)
    {
        const auto cards = m_side->Cards();
        if (cards.empty())
            return {};
        auto it = std::next(cards.begin(), static_cast<std::ptrdiff_t>(Draw(cards.size())));
        const std::string href = it->first, name = CardName(it->second.card);
        std::vector<CardLine> lines = ParseCardLines(it->second.card);
        const std::string step = "there: " + change(lines, m_model[name]) + " " + name;
        m_side->Write(href, WriteCardText(lines, CardTextVersion(it->second.card)));
        return step;
    }

    std::string EditThere(int field)
    {
        return There([&](std::vector<CardLine>& lines, Contact& contact) {
            const std::string value = Fresh(field);
            const auto it = std::find_if(lines.begin(), lines.end(),
                                         [&](const CardLine& line) { return line.name == LineNames[field]; });
            if (it != lines.end()) {
                Saw(contact, {field == Note ? UnescapeCardText(it->value) : ReadableValue(*it)});
                *it = PlainLine(LineNames[field], value);
            } else {
                lines.push_back(PlainLine(LineNames[field], value));
            }
            contact.live[field].insert(value);
            return std::string(FieldNames[field]) + " = " + value + " on";
        });
    }
    std::string EditThere() { return EditThere(static_cast<int>(Draw(FieldCount))); }

    std::string DeleteThere()
    {
        const auto cards = m_side->Cards();
        if (cards.empty())
            return {};
        const auto it = std::next(cards.begin(), static_cast<std::ptrdiff_t>(Draw(cards.size())));
        const std::string href = it->first, name = CardName(it->second.card);
        SawAll(m_model[name], ShownThere(it->second.card));
        m_side->Remove(href);
        return "there: delete " + name;
    }

    std::string KindThere()
    {
        return There([&](std::vector<CardLine>& lines, Contact& contact) {
            const bool organization = !ReadCardFields(lines).organization;
            contact.kindChanged = true;
            std::erase_if(lines, [](const CardLine& line) { return line.name == "KIND" || line.name == "X-ABSHOWAS"; });
            if (organization)
                lines.push_back(PlainLine("KIND", "org"));
            return std::string(organization ? "make an organization of" : "make a person of");
        });
    }

    // The server gives a card a new ETag without changing it.
    std::string NewEtag()
    {
        return There([](std::vector<CardLine>&, Contact&) { return std::string("new ETag for"); });
    }

    SyncOptions Options()
    {
        SyncOptions options;
        options.allowMassDelete = true;
        options.batchSize = 1 + Draw(3);
        options.saveInterval = std::chrono::milliseconds(0);
        return options;
    }

    // Another client writes the card just before the run's first PUT or DELETE.
    std::string RacedRun()
    {
        SyncOptions options = Options();
        const int field = static_cast<int>(Draw(FieldCount));
        bool raced = false;
        std::string step = "run (batches of " + std::to_string(options.batchSize) + ") raced by";
        m_side->BeforeWrite([&](const std::string& href) {
            const auto cards = m_side->Cards();
            if (raced || !cards.count(href))
                return;
            raced = true;
            const std::string name = CardName(cards.at(href).card);
            std::vector<CardLine> lines = ParseCardLines(cards.at(href).card);
            const std::string value = Fresh(field);
            for (CardLine& line : lines)
                if (line.name == LineNames[field]) {
                    Saw(m_model[name], {field == Note ? UnescapeCardText(line.value) : ReadableValue(line)});
                    line = PlainLine(LineNames[field], value);
                }
            m_model[name].live[field].insert(value);
            m_side->Write(href, WriteCardText(lines, CardTextVersion(cards.at(href).card)));
            step += " there: " + std::string(FieldNames[field]) + " = " + value + " on " + name;
        });
        m_harness.Run(options);
        m_side->BeforeWrite(nullptr);
        return raced ? step : "run (batches of " + std::to_string(options.batchSize) + ")";
    }

    // A run cut off: a request fails, the process dies after a save, or the user stops it.
    std::string FaultyRun()
    {
        SyncOptions options = Options();
        const int at = static_cast<int>(1 + Draw(8));
        std::string step = "run (batches of " + std::to_string(options.batchSize) + ") ";
        int asked = 0;
        switch (Draw(4)) {
        case 0:
            m_side->FailRequest(at);
            step += "failing request " + std::to_string(at);
            break;
        case 1:
            m_harness.killAfterSave = m_harness.saves + at;
            step += "killed after save " + std::to_string(at);
            break;
        case 2:
            options.stopRequested = [&asked, at] { return ++asked == at; };
            step += "stopped at batch " + std::to_string(at);
            break;
        default:
            return RacedRun();
        }
        m_harness.Run(options);
        m_side->FailRequest(0);
        m_harness.killAfterSave = 0;
        return step;
    }

    std::string CleanRuns()
    {
        const SyncReport first = m_harness.Run(Options());
        if (first.outcome != SyncReport::Outcome::Done)
            return "a clean run did not end: " + first.failure.message + " " + first.SummaryLine();
        const SyncReport second = m_harness.Run(Options());
        const std::string quiet = "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted";
        if (second.outcome != SyncReport::Outcome::Done || second.SummaryLine() != quiet)
            return "a second clean run found more to do: " + second.SummaryLine();
        return {};
    }

    // Both sides by name: what sync maps of each contact, and what the user sees of it.
    using Side = std::map<std::string, std::vector<std::pair<CardFields, Shown>>>;

    std::string Compare()
    {
        Side here, there;
        const std::string version = m_side->Version();
        m_harness.Edit([&](ItemTree&, TreeNode& synced) {
            for (TPartyObject* party : PartiesBelow(synced))
                here[std::string(party->GetTitle())].emplace_back(LocalFields(*party, version, {}), ShownHere(*party));
        });
        for (const auto& [href, card] : m_side->Cards())
            there[CardName(card.card)].emplace_back(ServerFields(card.card, version, {}), ShownThere(card.card));
        std::string problems;
        for (const Side* side : {&here, &there})
            for (const auto& [name, found] : *side) {
                if (!m_model.count(name) || found.size() > 1)
                    problems += name + ": " + std::to_string(found.size()) + " times, or unknown\n";
                const Side& other = side == &here ? there : here;
                if (!other.count(name) || other.at(name).front().first != found.front().first)
                    problems += name + ": not the same on both sides\n";
            }
        for (const auto& [name, contact] : m_model)
            problems += Lost(name, contact, here);
        return problems;
    }

    std::string Lost(const std::string& name, const Contact& contact, const Side& here) const
    {
        const auto it = here.find(name);
        if (it == here.end())
            return contact.Alive() ? name + ": gone, though a change of it was never seen\n" : "";
        if (!contact.Alive() && !contact.kindChanged && !m_faults)
            return name + ": deleted, but still here\n";
        const Shown& shown = it->second.front().second;
        std::string problems;
        for (int f = 0; f < FieldCount; ++f)
            for (const std::string& token : contact.live[f])
                if (!Holds(shown, f, token))
                    problems += name + ": the " + FieldNames[f] + " " + token + " was lost\n";
        return problems;
    }

    SyncHarness m_harness;
    std::unique_ptr<SyncServerSide> m_side;
    std::uint64_t m_seed;
    std::mt19937_64 m_rng;
    bool m_faults;
    std::map<std::string, Contact> m_model;
    std::vector<std::string> m_log;
    int m_values = 0;
    int m_contacts = 0;
};

inline std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

// Episodes of EpisodeSteps steps, each from its own seed (QUILLARY_SYNC_SEED on), each ending in a
// clean run and a check, until QUILLARY_SYNC_STEPS (or defaultSteps) are run. The problems of the
// first episode that fails, with its replay; empty when all held.
inline std::string RunEpisodes(bool faults, std::uint64_t defaultSteps, const SyncServerSideFor& sideFor)
{
    const std::uint64_t seed = FromEnvironment("QUILLARY_SYNC_SEED", 20240611);
    const std::uint64_t steps = FromEnvironment("QUILLARY_SYNC_STEPS", defaultSteps);
    for (std::uint64_t episode = 0; episode * EpisodeSteps < steps; ++episode) {
        SyncStateMachine machine(seed + episode, faults, sideFor);
        std::string problems;
        bool held = true;
        for (int i = 0; i < EpisodeSteps && held; ++i)
            held = machine.Step(problems);
        if (held)
            held = machine.Synced(problems);
        if (!held)
            return problems + "\n" + machine.Replay();
    }
    return {};
}

} // namespace quillary::test::machine
