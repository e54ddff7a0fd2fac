// SPDX-License-Identifier: GPL-3.0-or-later
// What a tree says about its persons and organizations, one fact a line, read through the items'
// own accessors (never through an export), so imports can be compared with facts written by hand:
//
//   person Anna Berg
//     name: Dr. / Anna /  / Berg
//     work: Berg & Sons / CEO / PhD          (company, job title, suffix; when any is set)
//     comment: Met at the fair
//     phone* Mobile: +49 30 1234567          (* marks the primary of its kind)
//     phone Office: +49 30 7654321 ext 12    (a phone's extension, when it has one)
//     address Home: Hauptstr. 5 / Hinterhaus /  / Berlin / BE / 10115 / Germany
//     reminder Birthday: 1985-04-12, yearly  (the date it stands for; "--12-24" without a year)
//
// Details are listed by kind (addresses, phones, faxes, e-mail addresses, websites, reminders),
// the primary first, the others in the order the item holds them. Organizations under persons and
// the like are listed in tree order with everything else.
#pragma once

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/items_reminder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillary::test {

namespace facts_detail {
inline std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i > 0 ? " / " : "") + parts[i];
    return text;
}

inline std::string Value(const TKPXObject& item)
{
    switch (item.GetKind()) {
    case KindAddress: {
        const auto& address = static_cast<const TAddressObject&>(item);
        std::vector<std::string> parts = address.Lines();
        parts.insert(parts.end(), {address.City(), address.State(), address.PostCode(), address.Country()});
        return Joined(parts);
    }
    case KindReminder: {
        // The date it stands for: a birthday's as the card or row gave it, wherever it now stands.
        const auto& reminder = static_cast<const TReminderObject&>(item);
        const bool yearly = reminder.RecurDate().RecurMode() == kRecurYearly;
        return OriginText(reminder.Began()) + (yearly ? ", yearly" : "");
    }
    case KindPhone: {
        const std::string& extension = static_cast<const TPhoneObject&>(item).Extension();
        return item.GetTarget() + (extension.empty() ? "" : " ext " + extension);
    }
    default:
        return item.GetTarget();
    }
}

// The details of one kind: from the item's detail list, or its child nodes for websites.
inline std::vector<const TKPXObject*> OfKind(const TKPXObject& owner, int kind)
{
    std::vector<const TKPXObject*> found;
    if (kind == KindWebsite) {
        for (int i = 0; i < owner.GetTreeNode()->ChildCount(); ++i)
            if (owner.GetTreeNode()->ChildAt(i)->Data()->GetKind() == kind)
                found.push_back(owner.GetTreeNode()->ChildAt(i)->Data());
    } else {
        for (int i = 0; i < owner.ChildCount(); ++i)
            if (owner.ChildAt(i)->GetKind() == kind)
                found.push_back(owner.ChildAt(i));
    }
    return found;
}

inline void AddParty(const TPartyObject& party, std::string& out)
{
    out += std::string(KindName(party.GetKind())) + " " + party.GetTitle() + "\n";
    if (const auto* person = dynamic_cast<const TPersonObject*>(&party))
        out +=
            "  name: " + Joined({person->Salutation(), person->FirstName(), person->MiddleName(), person->LastName()}) +
            "\n";
    if (const auto* person = dynamic_cast<const TPersonObject*>(&party);
        person && !(person->Company() + person->JobTitle() + person->Suffix()).empty())
        out += "  work: " + Joined({person->Company(), person->JobTitle(), person->Suffix()}) + "\n";
    if (!party.GetComment().empty())
        out += "  comment: " + party.GetComment() + "\n";
    constexpr int Kinds[] = {KindAddress, KindPhone, KindFax, KindEMail, KindWebsite, KindReminder};
    constexpr int Slots[] = {TPartyObject::SlotAddress, TPartyObject::SlotPhone,   TPartyObject::SlotFax,
                             TPartyObject::SlotEMail,   TPartyObject::SlotWebsite, -1};
    for (std::size_t k = 0; k < std::size(Kinds); ++k) {
        const TKPXObject* primary =
            Slots[k] < 0 ? nullptr : party.PrimaryChild(static_cast<TPartyObject::Slot>(Slots[k]));
        std::vector<const TKPXObject*> details = OfKind(party, Kinds[k]);
        std::stable_partition(details.begin(), details.end(), [&](const TKPXObject* d) { return d == primary; });
        for (const TKPXObject* detail : details)
            out += "  " + std::string(KindName(Kinds[k])) + (detail == primary ? "* " : " ") + detail->GetTitle() +
                   ": " + Value(*detail) + "\n";
    }
}
} // namespace facts_detail

// The facts of every person and organization in the tree, in tree order.
inline std::string ContactFacts(const ItemTree& tree)
{
    std::string out;
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (const auto* party = dynamic_cast<const TPartyObject*>(tree.NodeAt(i)->Data()))
            facts_detail::AddParty(*party, out);
    return out;
}

// Calls check(file, facts) for every file of the extension in the folder that has its facts
// written beside it (the same name ending in ".facts"); returns how many were checked.
template <typename Check>
int ForEachWithFacts(const std::filesystem::path& folder, const std::string& extension, Check check)
{
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::filesystem::path file = entry.path();
        if (file.extension() != extension)
            continue;
        std::filesystem::path factsFile = file;
        std::ifstream in(factsFile.replace_extension(".facts"), std::ios::binary);
        check(file, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        ++checked;
    }
    return checked;
}

} // namespace quillary::test
