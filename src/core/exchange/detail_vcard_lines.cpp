// SPDX-License-Identifier: GPL-3.0-or-later
// The vCard 2.1 property line of each contact detail, as persons and organizations write them.
#include "exchange/card_field_map.h"
#include "exchange/card_party.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_property.h"
#include "model/item_kind.h"
#include "model/items_contact.h"

#include <utility>

namespace quillary {

std::vector<std::string> AddressCardValues(const CardDetail& address)
{
    std::string extended = address.lines[1];
    if (!address.lines[2].empty())
        extended.append("\n").append(address.lines[2]);
    return {std::string(), extended, address.lines[0], address.city, address.state, address.postCode, address.country};
}

TCardProperty DetailCardProperty(const CardDetail& detail, bool internetType)
{
    const auto named = [&](CardField field, std::vector<std::string> values) {
        return TCardProperty(CardFieldOf(field).property, std::move(values));
    };
    switch (detail.kind) {
    case KindAddress:
        return named(CardField::Address, AddressCardValues(detail));
    case KindFax: {
        TCardProperty fax = named(CardField::Phone, {detail.target});
        fax.SetParam(ParamFax);
        return fax;
    }
    case KindEMail: {
        TCardProperty email = named(CardField::EMail, {detail.target});
        if (internetType && IsEMailAddress(detail.target))
            email.SetParam(ParamInternet);
        return email;
    }
    case KindWebsite:
        return named(CardField::Website, {detail.target});
    default:
        return named(CardField::Phone, {detail.target});
    }
}

std::string DetailVCardLine(const TKPXObject& detail)
{
    const std::optional<CardDetail> values = DetailOfItem(detail);
    return values ? DetailCardProperty(*values, true).AsText() : std::string();
}

} // namespace quillary
