// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "search/search_index.h"
#include "search/search_snapshot.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {

class SearchIndexTest : public ::testing::Test
{
protected:
    ItemTree tree;
    CategoryNames names = Names();
    TreeNode& clients = *CreateItem(KindFolder, "Clients", "", "", tree.Root(), "", 0)->GetTreeNode();
    // Categories 1 and 3 (bits 0 and 2); the company and job title follow the categories.
    TKPXObject& juergen = *CreateItem(KindPerson, "Müller, Jürgen", "", "", clients,
                                      "{Pers}Herr~~Jürgen~~~~Müller~~~~~~~~~~~~5~~Straße AG~~Geschäftsführer~~", 0);
    TKPXObject& juergenPhone = Detail(KindPhone, "Office", "(555) 123-4567", juergen, "{Phon}~~0");
    TKPXObject& juergenWeb = *CreateItem(KindWebsite, "Homepage", "https://muller.example/", "new site",
                                         *juergen.GetTreeNode(), "{Webs}0", 0);
    TKPXObject& ecole = *CreateItem(KindOrganization, "École Supérieure", "", "ask for the dean", clients,
                                    "{Orgn}~~~~~~~~~~0", 0);
    TKPXObject& ann = *CreateItem(KindPerson, "Ann Smith", "", "Met at the fair", tree.Root(),
                                  "{Pers}~~Ann~~~~Smith~~~~~~~~~~~~0", 0);
    TKPXObject& annPhone = Detail(KindPhone, "Mobile", "555-9876", ann, "{Phon}~~0");

    void SetUp() override
    {
        Detail(KindEMail, "E-Mail", "jm@example.de", juergen, "{Mail}0");
        Detail(KindAddress, "Home", "Hauptstraße 5", juergen,
               "{Addr}Hauptstraße 5~~~~~~Köln~~NRW~~50667~~Deutschland~~0");
        Detail(KindReminder, "Birthday", "5/1/1970", juergen, "{Remd}1970,5,1,0~~0");
        Detail(KindFax, "Office Fax", "+33 1 44 55 66 77", ecole, "{Faxs}0");
        Detail(KindReminder, "Dvořák in Łódź, Œuvres", "6/1/2027", ecole, "{Remd}2027,6,1,0~~0");
    }

    static CategoryNames Names()
    {
        CategoryNames names{};
        names[0] = "Customers";
        names[2] = "Golf Club";
        return names;
    }
    static TKPXObject& Detail(int kind, const char* title, const char* target, TKPXObject& owner, const char* line)
    {
        return *CreateItem(kind, title, target, "", *owner.GetTreeNode(), line, 0);
    }
    SearchIndex Index() { return SearchIndex(SearchSnapshot(tree.Root(), names)); }
    // "title: field=value" for each hit, so a failure shows everything found.
    static std::vector<std::string> Shown(const std::vector<SearchHit>& hits)
    {
        std::vector<std::string> shown;
        for (const SearchHit& hit : hits)
            shown.push_back(std::string(hit.title) + ": " + std::string(SearchFieldName(hit.field)) + "=" +
                            std::string(hit.value));
        return shown;
    }
};

TEST_F(SearchIndexTest, FindsPersonsAndOrganizationsByAnyFieldNamingTheFirstMatch)
{
    const std::string juergenTitle = "Müller, Jürgen: ";
    struct Case
    {
        const char* query;
        std::vector<std::string> found;
    };
    const std::vector<Case> cases = {
        {"muller", {juergenTitle + "Title=Müller, Jürgen"}},
        {"JURGEN", {juergenTitle + "Title=Müller, Jürgen"}},
        {"ÉCOLE", {"École Supérieure: Title=École Supérieure"}},
        {"superieure ecole", {"École Supérieure: Title=École Supérieure"}},
        {"Mu\xCC\x88ller", {juergenTitle + "Title=Müller, Jürgen"}}, // a combining diaeresis
        {"koln herr", {juergenTitle + "Salutation=Herr"}},
        {"strasse ag", {juergenTitle + "Company=Straße AG"}},
        {"GESCHAFTSFUHRER", {juergenTitle + "Job Title=Geschäftsführer"}},
        {"5551234567", {juergenTitle + "Phone=(555) 123-4567"}},
        {"1234", {juergenTitle + "Phone=(555) 123-4567"}},
        {"555.123.4567", {juergenTitle + "Phone=(555) 123-4567"}},
        {"555", {juergenTitle + "Phone=(555) 123-4567", "Ann Smith: Phone=555-9876"}},
        {"4455", {"École Supérieure: Fax=+33 1 44 55 66 77"}},
        {"jm@example", {juergenTitle + "E-Mail=jm@example.de"}},
        {"hauptstrasse", {juergenTitle + "Address=Hauptstraße 5"}},
        {"50667", {juergenTitle + "Postal Code=50667"}},
        {"nrw", {juergenTitle + "State=NRW"}},
        {"deutschland", {juergenTitle + "Country=Deutschland"}},
        {"birthday", {juergenTitle + "Reminder=Birthday"}},
        {"ŁÓDŹ DVORAK oeuvres", {"École Supérieure: Reminder=Dvořák in Łódź, Œuvres"}}, // Latin Extended-A
        {"muller.example", {juergenTitle + "Website=https://muller.example/"}},
        {"new site", {juergenTitle + "Comment=new site"}},
        {"dean", {"École Supérieure: Comment=ask for the dean"}},
        {"golf customers", {juergenTitle + "Category=Customers"}},
        {"fair smith", {"Ann Smith: Title=Ann Smith"}},
        {"smith jurgen", {}},    // every word must match, in one item
        {"jurgenmuller", {}},    // a word never spans two values
        {"5559", {"Ann Smith: Phone=555-9876"}}, // digits across the "-"
        {"12 34", {}},           // words of fewer digits match as text only
        {"Office", {}},          // detail titles are labels, not contact data
        {"Clients", {}},         // folders are no results
        {"   ", {}},
    };
    const SearchIndex index = Index();
    EXPECT_EQ(index.Size(), 3U);
    for (const Case& c : cases)
        EXPECT_EQ(Shown(index.Find(c.query)), c.found) << "query \"" << c.query << "\"";
}

TEST_F(SearchIndexTest, HitsNameTheirItemAndStopAtTheLimit)
{
    const auto hits = Index().Find("e", 2);
    ASSERT_EQ(hits.size(), 2U);
    EXPECT_EQ(hits[0].item, &juergen);
    EXPECT_EQ(hits[0].id, juergen.GetID());
    EXPECT_EQ(hits[1].item, &ecole);
    EXPECT_EQ(SearchOwner(juergenWeb), &juergen);
    EXPECT_EQ(SearchOwner(juergenPhone), &juergen);
    EXPECT_EQ(SearchOwner(*clients.Data()), nullptr);
    EXPECT_EQ(Shown(SearchIndex(SearchSnapshot(clients, names)).Find("smith")), std::vector<std::string>{});
}

TEST_F(SearchIndexTest, StaysCurrentAsItemsChangeAndGo)
{
    SearchIndex index = Index();
    const auto reread = [&](const TKPXObject& changed) { index.Update(SearchItemOf(*SearchOwner(changed), names)); };
    annPhone.SetTarget("030 98765");
    reread(annPhone);
    EXPECT_TRUE(index.Find("555-9876").empty());
    EXPECT_EQ(Shown(index.Find("3098765")), std::vector<std::string>{"Ann Smith: Phone=030 98765"});
    juergenWeb.SetTarget("https://jm.example/");
    reread(juergenWeb);
    EXPECT_TRUE(index.Find("muller.example").empty());
    EXPECT_EQ(index.Find("jm.example").size(), 1U);

    index.Remove(&juergen);
    EXPECT_TRUE(index.Find("jurgen").empty());
    EXPECT_EQ(index.Size(), 2U);
    // A new item takes the place the removed one left.
    TKPXObject& eve =
        *CreateItem(KindPerson, "Eve Jürgens", "", "", tree.Root(), "{Pers}~~Eve~~~~Jürgens~~~~~~~~~~~~0", 0);
    index.Update(SearchItemOf(static_cast<const TPartyObject&>(eve), names));
    EXPECT_EQ(Shown(index.Find("jurgen")), std::vector<std::string>{"Eve Jürgens: Title=Eve Jürgens"});
    EXPECT_EQ(Shown(index.Find("smith")), std::vector<std::string>{"Ann Smith: Title=Ann Smith"});
    EXPECT_EQ(index.Size(), 3U);
    // Many changes leave most of the stores unused, until they are compacted.
    for (int i = 0; i < 20; ++i) {
        annPhone.SetTarget("030 " + std::to_string(1000 + i));
        reread(annPhone);
    }
    EXPECT_EQ(Shown(index.Find("0301019 ann")), std::vector<std::string>{"Ann Smith: Title=Ann Smith"});
    EXPECT_EQ(Shown(index.Find("030 1019")), std::vector<std::string>{"Ann Smith: Phone=030 1019"});
    EXPECT_TRUE(index.Find("0301018").empty());
    EXPECT_EQ(Shown(index.Find("jurgens")), std::vector<std::string>{"Eve Jürgens: Title=Eve Jürgens"});
    EXPECT_EQ(Shown(index.Find("supérieure")), std::vector<std::string>{"École Supérieure: Title=École Supérieure"});
}

} // namespace
