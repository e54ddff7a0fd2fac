// SPDX-License-Identifier: GPL-3.0-or-later
// The vCard 2.1 property line of each contact detail, as persons and organizations write them.
#include "exchange/party_vcard.h"
#include "exchange/vcard_property.h"
#include "model/items_contact.h"

namespace quillary {

std::vector<std::string> AddressCardValues(const TAddressObject& address)
{
    const std::vector<std::string>& lines = address.Lines();
    std::string extended = lines[1];
    if (!lines[2].empty())
        extended.append("\n").append(lines[2]);
    return {std::string(), extended, lines[0], address.City(), address.State(), address.PostCode(), address.Country()};
}

std::string DetailVCardLine(const TKPXObject& detail)
{
    if (const auto* address = dynamic_cast<const TAddressObject*>(&detail))
        return TCardProperty("ADR", AddressCardValues(*address)).AsText();
    if (dynamic_cast<const TPhoneObject*>(&detail))
        return TCardProperty("TEL", {detail.GetTarget()}).AsText();
    if (dynamic_cast<const TWebObject*>(&detail))
        return TCardProperty("URL", {detail.GetTarget()}).AsText();
    if (dynamic_cast<const TFaxObject*>(&detail)) {
        TCardProperty fax("TEL", {detail.GetTarget()});
        fax.SetParam(ParamFax);
        return fax.AsText();
    }
    if (dynamic_cast<const TEMailObject*>(&detail)) {
        TCardProperty email("EMAIL", {detail.GetTarget()});
        if (IsEMailAddress(detail.GetTarget()))
            email.SetParam(ParamInternet);
        return email.AsText();
    }
    return {};
}

} // namespace quillary
