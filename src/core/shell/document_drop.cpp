// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/document_drop.h"

#include "model/item_kind.h"
#include "model/items_party.h"

namespace quillary {

namespace {
std::string Number(const TKPXObject& target, int kind, TPartyObject::Slot slot)
{
    if (target.GetKind() == kind)
        return target.GetTarget();
    if (const auto* party = dynamic_cast<const TPartyObject*>(&target))
        if (const TKPXObject* child = party->PrimaryChild(slot))
            return child->GetTarget();
    return {};
}
} // namespace

std::string DropFaxNumber(const TKPXObject& target)
{
    return Number(target, KindFax, TPartyObject::SlotFax);
}

std::string DropEMailAddress(const TKPXObject& target)
{
    return Number(target, KindEMail, TPartyObject::SlotEMail);
}

bool AcceptsDocument(const TKPXObject& target)
{
    return !DropFaxNumber(target).empty() || !DropEMailAddress(target).empty();
}

} // namespace quillary
