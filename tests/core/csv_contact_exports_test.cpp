// SPDX-License-Identifier: GPL-3.0-or-later
// Contact exports of today's programs, written by hand in their shapes (data/csv_exports): every
// fact arrives, and an export with field names brings every fact back. Facts are read from the
// tree through the items (support/contact_facts.h) and compared with facts written by hand.
#include "support/contact_facts.h"
#include "support/csv_text.h"
#include "support/fake_services.h"
#include "support/test_files.h"

#include "exchange/csv_export.h"
#include "exchange/csv_header_map.h"
#include "exchange/csv_import.h"
#include "exchange/record_types.h"
#include "model/create_item.h"

#include <gtest/gtest.h>

#include <map>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
const fs::path Exports = fs::path(QUILLARY_TEST_DATA) / "csv_exports";

std::vector<std::string> PersonFields()
{
    const RecordType& person = *RecordTypeOfKind(KindPerson);
    return {person.fields.begin(), person.fields.end()};
}

std::string ExportedPersons(ItemTree& tree)
{
    std::ostringstream out;
    WriteCsvRows(tree.Root(), {PersonFields(), KindPerson, true}, out);
    return out.str();
}

// The rows each file refuses: those without any name.
const std::map<std::string, std::vector<std::string>> Refused = {
    {"google_contacts.csv", {"row 17: no first or last name"}},
    {"outlook.csv", {"row 5: no first or last name"}},
    {"thunderbird.csv", {}},
};

// Company, job title and suffix columns are read into the person's fields of those names once it
// has them, and are listed as ignored until then.
struct OwnColumn
{
    std::string field, column, person, value;
};
const std::map<std::string, std::vector<OwnColumn>> CompanyColumns = {
    {"google_contacts.csv",
     {{"Company", "Organization Name", "Anna Berg", "Berg & Sons"},
      {"Job Title", "Organization Title", "Anna Berg", "CEO"},
      {"Suffix", "Name Suffix", "Anna Berg", "PhD"}}},
    {"outlook.csv",
     {{"Company", "Company", "Hélène Dupré", "Dupré SARL"},
      {"Job Title", "Job Title", "Hélène Dupré", "Gérante"},
      {"Suffix", "Suffix", "José Núñez", "Jr."}}},
    {"thunderbird.csv",
     {{"Company", "Organization", "Kai Müller", "Acme GmbH"}, {"Job Title", "Job Title", "Kai Müller", "Engineer"}}},
};

const TKPXObject* Titled(const ItemTree& tree, std::string_view title)
{
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        if (tree.Root().ChildAt(i)->Data()->GetTitle() == title)
            return tree.Root().ChildAt(i)->Data();
    return nullptr;
}

void ExpectOwnColumnsReadOrListed(const std::string& file, const ItemTree& tree, const CsvPreview& preview)
{
    const RecordType& person = *RecordTypeOfKind(KindPerson);
    for (const OwnColumn& own : CompanyColumns.at(file)) {
        SCOPED_TRACE(own.column);
        const auto& ignored = preview.mapping.ignored;
        const bool listed = std::find(ignored.begin(), ignored.end(), own.column) != ignored.end();
        if (!OffersField(person, own.field)) {
            EXPECT_TRUE(listed);
            continue;
        }
        EXPECT_FALSE(listed);
        const TKPXObject* item = Titled(tree, own.person);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->GetFieldText(own.field), "\"" + own.value + "\",");
    }
}
} // namespace

TEST(CsvContactExports, EveryFactArrivesAndComesBackThroughAnExportWithFieldNames)
{
    const int checked = ForEachWithFacts(Exports, ".csv", [](const fs::path& file, const std::string& expected) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        TestWorld world;
        ItemTree tree(world.Services());
        const auto counts = ImportCSVFile(file, tree.Root(), WithHeader(KindPerson));
        ASSERT_TRUE(counts);
        EXPECT_EQ(ContactFacts(tree), expected);
        EXPECT_EQ(counts->reasons, Refused.at(name));
        EXPECT_TRUE(counts->leftOut.empty());
        const auto preview = PreviewCSVFile(file, WithHeader(KindPerson));
        ASSERT_TRUE(preview);
        ExpectOwnColumnsReadOrListed(name, tree, *preview);

        std::istringstream exported(ExportedPersons(tree));
        ItemTree again(world.Services());
        const auto back = ImportCSV(exported, again.Root(), WithHeader(KindPerson));
        EXPECT_EQ(ContactFacts(again), expected);
        EXPECT_TRUE(back.reasons.empty());
        EXPECT_TRUE(back.leftOut.empty());
    });
    EXPECT_EQ(checked, 3);
}

// An address of many lines (from a card, or typed) keeps them in its three: an export and an
// import give the same lines back, and so does a street of many lines in a file.
TEST(CsvContactExports, AnAddressOfManyLinesLosesNothingOnARoundTrip)
{
    TestWorld world;
    ItemTree tree(world.Services());
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, "Ann Lee", "", "", tree.Root(), "", 0));
    person.SetNames("", "Ann", "", "Lee");
    auto& address =
        static_cast<TAddressObject&>(*CreateItem(KindAddress, "Office", "Tower A", "", *person.GetTreeNode(), "", 0));
    address.SetLines({"Tower A", "Floor 12", "Desk 7", "", "Window seat", "Mail room"});
    address.SetCity("Leeds");
    person.SetPrimary(TPartyObject::SlotAddress, "Office");
    const std::string facts = ContactFacts(tree);
    EXPECT_NE(facts.find("Desk 7"), std::string::npos);
    EXPECT_NE(facts.find("Window seat"), std::string::npos);
    EXPECT_NE(facts.find("Mail room"), std::string::npos);

    std::istringstream exported(ExportedPersons(tree));
    ItemTree again(world.Services());
    EXPECT_EQ(ImportCSV(exported, again.Root(), WithHeader(KindPerson)).made, 1);
    EXPECT_EQ(ContactFacts(again), facts);

    // The same lines as one quoted street of a file.
    std::istringstream street(
        "First Name,Last Name,Address 1 - Label,Address 1 - Street,Address 1 - City\r\n"
        "Ann,Lee,Office,\"Tower A\r\nFloor 12\r\nDesk 7\r\n\r\nWindow seat\nMail room\",Leeds\r\n");
    ItemTree fromStreet(world.Services());
    EXPECT_EQ(ImportCSV(street, fromStreet.Root(), WithHeader(KindPerson)).made, 1);
    EXPECT_EQ(ContactFacts(fromStreet), facts);
}
