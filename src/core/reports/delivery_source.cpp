// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/item_kind.h"
#include "model/items_party.h"
#include "reports/report_sources.h"

namespace quillary {

DeliverySource DeliverySourceOf(const TKPXObject& subject)
{
    if (subject.GetKind() == KindAddress)
        return {&subject, subject.GetTitle()};
    const auto* party = dynamic_cast<const TPartyObject*>(&subject);
    if (!party)
        return {};
    const std::string& name = subject.GetKind() == KindPerson ? subject.GetTarget() : subject.GetTitle();
    return {party->FindChild(party->Primary(TPartyObject::SlotAddress), KindAddress), name};
}

} // namespace quillary
