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

std::string TAddressObject::GetVCardLine() const
{
    return TCardProperty("ADR", AddressCardValues(*this)).AsText();
}

std::string TPhoneObject::GetVCardLine() const
{
    return TCardProperty("TEL", {GetTarget()}).AsText();
}

std::string TFaxObject::GetVCardLine() const
{
    TCardProperty fax("TEL", {GetTarget()});
    fax.SetParam(ParamFax);
    return fax.AsText();
}

std::string TEMailObject::GetVCardLine() const
{
    TCardProperty email("EMAIL", {GetTarget()});
    if (IsEMailAddress(GetTarget()))
        email.SetParam(ParamInternet);
    return email.AsText();
}

std::string TWebObject::GetVCardLine() const
{
    return TCardProperty("URL", {GetTarget()}).AsText();
}

} // namespace quillary
