// SPDX-License-Identifier: GPL-3.0-or-later
// A company with departments keeps its name and units apart from a card through the tree, the
// card written from it and the fields sync compares.
#include "exchange/company_text.h"
#include "exchange/folder_vcards.h"
#include "exchange/vcard_import.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_mapping.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

namespace {

class AsPerson final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

std::string OrgLine(const std::string& card)
{
    const std::size_t at = card.find("\nORG");
    return at == std::string::npos ? std::string() : card.substr(at + 1, card.find('\r', at) - at - 1);
}

struct CompanyCase
{
    const char* org;     // the card's line
    const char* company; // what the person shows
    const char* written; // the line its card then has
};

const CompanyCase Cases[] = {
    {"ORG:Acme\\, Inc.;Research", "Acme, Inc.; Research", "ORG:Acme\\, Inc.;Research"},
    {"ORG:Acme;Research;Lab 2", "Acme; Research; Lab 2", "ORG:Acme;Research;Lab 2"},
    {"ORG:Initech", "Initech", "ORG:Initech"},
    {"ORG:Acme;;Lab", "Acme; ; Lab", "ORG:Acme;;Lab"},
    {"ORG:Acme;", "Acme", "ORG:Acme"}, // no unit, as many cards say it
    {"ORG:Smith\\;Jones", "Smith;Jones", "ORG:Smith\\;Jones"},
    {"ORG:", "", ""},
};

} // namespace

TEST(CompanyText, NameAndUnitsStayApartThroughTheTreeAndBack)
{
    for (const char* version : {"3.0", "4.0"}) {
        for (const CompanyCase& test : Cases) {
            SCOPED_TRACE(std::string(version) + " " + test.org);
            const std::string card =
                std::string("BEGIN:VCARD\r\nVERSION:") + version + "\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n" + test.org +
                "\r\nEND:VCARD\r\n";
            ItemTree tree;
            std::istringstream in(card);
            AsPerson question;
            ImportVCardFile(in, tree.Root(), question, {});
            ASSERT_EQ(tree.Root().ChildCount(), 1);
            auto& person = dynamic_cast<TPersonObject&>(*tree.Root().FirstChild()->Data());
            EXPECT_EQ(person.Company(), test.company);

            std::ostringstream out;
            WriteVCards({&person}, out, version[0] == '3' ? VCardVersion::V30 : VCardVersion::V40);
            EXPECT_EQ(OrgLine(out.str()), test.written);
            // Sync sees no change between the card and the person made from it.
            EXPECT_TRUE(LocalFields(person, version, {}) == ServerFields(card, version, {}));
        }
    }
}

TEST(CompanyText, ATypedTextGoesToACardAndBackAsItWas)
{
    for (const std::string text : {"Acme, Inc.; Research", "a;b", " Acme ;  Sales ", "x; ; y", "Acme;  Lab"}) {
        EXPECT_EQ(CompanyText(CompanyComponents(text)), text);
    }
    EXPECT_EQ(CompanyComponents("Acme, Inc.; Research"), (std::vector<std::string>{"Acme, Inc.", "Research"}));
    EXPECT_TRUE(CompanyComponents("").empty());
}
