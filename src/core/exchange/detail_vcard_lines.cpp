// SPDX-License-Identifier: GPL-3.0-or-later
// The vCard property line of each contact detail, as persons and organizations write them.
#include "model/items_contact.h"

namespace quillary {

std::string TAddressObject::GetVCardLine() const
{
    const auto line = [&](std::size_t index) -> std::string_view {
        return index < Lines().size() ? std::string_view(Lines()[index]) : std::string_view();
    };
    std::string text = "ADR:";
    for (const std::string_view field :
         {line(0), line(1), line(2), std::string_view(City()), std::string_view(State()), std::string_view(PostCode())})
        text.append(field).append(";");
    return text.append(Country());
}

std::string TPhoneObject::GetVCardLine() const
{
    return "TEL:" + GetTarget();
}

std::string TFaxObject::GetVCardLine() const
{
    return "TEL;FAX:" + GetTarget();
}

std::string TEMailObject::GetVCardLine() const
{
    return (IsEMailAddress(GetTarget()) ? "EMAIL;INTERNET:" : "EMAIL:") + GetTarget();
}

std::string TWebObject::GetVCardLine() const
{
    return "URL:" + GetTarget();
}

} // namespace quillary
