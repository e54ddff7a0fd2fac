// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/record_types.h"

#include "model/item_kind.h"

#include <algorithm>

namespace quillary {

namespace {
// "Company", "Job Title" and "Suffix" came later: they come last, so the classic columns keep
// their places in field lists and exports.
constexpr std::string_view PersonFields[] = {
    "Title",          "Salutation", "First Name",     "Middle Name", "Last Name", "Address Line 1", "Address Line 2",
    "Address Line 3", "City",       "State/Province", "Postal Code", "Country",   "Phone Number",   "Fax Number",
    "E-Mail Address", "Website",    "Comment",        "Company",     "Job Title", "Suffix"};
constexpr std::string_view OrganizationFields[] = {
    "Title",   "Address Line 1", "Address Line 2", "Address Line 3", "City",    "State/Province", "Postal Code",
    "Country", "Phone Number",   "Fax Number",     "E-Mail Address", "Website", "Comment"};
constexpr std::string_view WebsiteFields[] = {"Title", "Website", "Comment"};
constexpr std::string_view AddressFields[] = {"Title", "Address Line 1", "Address Line 2", "Address Line 3",
                                              "City",  "State/Province", "Postal Code",    "Country"};
constexpr std::string_view PhoneFields[] = {"Title", "Phone Number", "Extension", "Comment"};
constexpr std::string_view EMailFields[] = {"Title", "E-Mail Address", "Comment"};
constexpr std::string_view FaxFields[] = {"Title", "Fax Number", "Comment"};

constexpr RecordType Types[] = {{"Person", KindPerson, PersonFields},
                                {"Organization", KindOrganization, OrganizationFields},
                                {"Website Addresses", KindWebsite, WebsiteFields},
                                {"Addresses", KindAddress, AddressFields},
                                {"Phone Numbers", KindPhone, PhoneFields},
                                {"E-mail Addresses", KindEMail, EMailFields},
                                {"FAX Numbers", KindFax, FaxFields}};
} // namespace

std::span<const RecordType> RecordTypes()
{
    return Types;
}

const RecordType* RecordTypeOfKind(int kind)
{
    const auto it =
        std::find_if(std::begin(Types), std::end(Types), [&](const RecordType& t) { return t.kind == kind; });
    return it == std::end(Types) ? nullptr : &*it;
}

bool OffersField(const RecordType& type, std::string_view field)
{
    return std::find(type.fields.begin(), type.fields.end(), field) != type.fields.end();
}

} // namespace quillary
