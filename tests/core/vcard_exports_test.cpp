// SPDX-License-Identifier: GPL-3.0-or-later
// Cards in the shapes of today's programs (data/vcard_exports, written by hand) and the contact
// exports of data/csv_exports: every fact arrives, and survives the program's own cards in every
// version. Facts are read from the tree through the items (support/contact_facts.h) and compared
// with facts written by hand, so a fault shared by the card reader and writer cannot hide.
#include "support/contact_facts.h"
#include "support/csv_text.h"
#include "support/fake_services.h"

#include "exchange/csv_import.h"
#include "exchange/folder_vcards.h"
#include "exchange/vcard_import.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {
const fs::path Data = fs::path(QUILLARY_TEST_DATA);

class PersonAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

// What each file's import says beyond the persons made: what its cards hold that is not kept.
const std::map<std::string, std::string> Summaries = {
    {"android_21.vcf", "Made 2 persons.\n2 cards had photos; photos are not kept.\n"
                       "1 card had \"X-ANDROID-CUSTOM\" values; \"X-ANDROID-CUSTOM\" values are not kept."},
    {"iphone_30.vcf", "Made 2 persons.\n2 cards had photos; photos are not kept.\n"
                      "1 card had instant messaging addresses; instant messaging addresses are not kept.\n"
                      "1 card had social profiles; social profiles are not kept."},
    {"google_30.vcf", "Made 1 person."},
    {"modern_40.vcf", "Made 1 person.\n1 card had map positions; map positions are not kept."},
    {"outlook_21.vcf", "Made 1 person.\n1 card had photos; photos are not kept."},
};

std::string CardsOf(ItemTree& tree, VCardVersion version)
{
    std::ostringstream out;
    WriteVCards(CardParties(tree.Root()), out, version);
    return out.str();
}

ImportCounts ImportCards(const std::string& text, ItemTree& tree)
{
    std::istringstream in(text);
    PersonAnswer person;
    return ImportVCardFile(in, tree.Root(), person);
}

// The tree's cards in each version, imported again, give the same facts.
void ExpectFactsSurviveCards(ItemTree& tree, TestWorld& world, const std::string& expected)
{
    for (const VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
        SCOPED_TRACE(std::string(VCardVersionText(version)));
        ItemTree again(world.Services());
        const ImportCounts counts = ImportCards(CardsOf(tree, version), again);
        EXPECT_EQ(ContactFacts(again), expected);
        // The program's own cards hold nothing it cannot keep.
        EXPECT_TRUE(counts.cardsWithUnkept.empty());
        EXPECT_EQ(counts.rejected, 0);
    }
}
} // namespace

TEST(VCardExports, EveryFactArrivesIsCountedWhenNotKeptAndSurvivesTheProgramsOwnCards)
{
    const int checked =
        ForEachWithFacts(Data / "vcard_exports", ".vcf", [](const fs::path& file, const std::string& expected) {
            const std::string name = file.filename().string();
            SCOPED_TRACE(name);
            TestWorld world;
            ItemTree tree(world.Services());
            PersonAnswer person;
            const ImportCounts counts = ImportVCardFile(file, tree.Root(), person);
            EXPECT_EQ(ContactFacts(tree), expected);
            EXPECT_EQ(ImportSummary(counts), Summaries.at(name));
            ExpectFactsSurviveCards(tree, world, expected);
        });
    EXPECT_EQ(checked, 5);
}

TEST(VCardExports, DelimitedTextExportsOfOtherProgramsSurviveCardsOfEveryVersion)
{
    const int checked =
        ForEachWithFacts(Data / "csv_exports", ".csv", [](const fs::path& file, const std::string& expected) {
            SCOPED_TRACE(file.filename().string());
            TestWorld world;
            ItemTree tree(world.Services());
            ASSERT_TRUE(ImportCSVFile(file, tree.Root(), WithHeader(KindPerson)));
            ASSERT_EQ(ContactFacts(tree), expected);
            ExpectFactsSurviveCards(tree, world, expected);
        });
    EXPECT_EQ(checked, 3);
}
