// SPDX-License-Identifier: GPL-3.0-or-later
// A person's company, job title and name suffix: stored where readers of the classic data file
// pass over them, exchanged by name with delimited text, and taken from the person dialog.
#include "support/test_files.h"

#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/record_types.h"
#include "model/create_item.h"
#include "model/detail_fields.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {

using Strings = std::vector<std::string>;

TPersonObject& Person(ItemTree& tree)
{
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, "Jan Berg", "", "", tree.Root(), "", 0));
    person.SetNames("Dr.", "Jan", "", "Berg");
    person.SetCategories(5);
    return person;
}

// The fields of the person's detail line, as a reader splits them.
Strings DetailLineFields(const TKPXObject& item)
{
    std::string record;
    item.WriteRecord(record, 1);
    const std::string detail = record.substr(record.find("\r\n{Pers}") + 8);
    DetailFields fields;
    fields.Split(detail);
    Strings texts;
    for (std::size_t i = 0; i < fields.size(); ++i)
        texts.emplace_back(fields[i]);
    return texts;
}

} // namespace

TEST(PersonWorkFields, TheyFollowTheCategoriesWhereTheClassicReaderLooksNoFurther)
{
    ItemTree tree;
    TPersonObject& person = Person(tree);
    const Strings classic = DetailLineFields(person);
    ASSERT_EQ(classic.size(), 10u);

    person.SetWorkFields("Acme, Inc.", "Buyer~", "Jr.~~");
    Strings fields = DetailLineFields(person);
    // The classic ten fields stand as before, the categories last among them.
    EXPECT_EQ(Strings(fields.begin(), fields.begin() + 10), classic);
    EXPECT_EQ(fields[9], "5");
    EXPECT_EQ(Strings(fields.begin() + 10, fields.end()), (Strings{"Acme, Inc.", "Buyer~ ", "Jr.~ ~ "}));

    person.SetWorkFields("Acme, Inc.", "", "");
    EXPECT_EQ(DetailLineFields(person).size(), 11u);
    person.SetWorkFields("", "", "");
    EXPECT_EQ(DetailLineFields(person), classic);
}

TEST(PersonWorkFields, DelimitedTextNamesThemAfterTheClassicFields)
{
    const RecordType& type = *RecordTypeOfKind(KindPerson);
    ASSERT_EQ(type.fields.size(), 20u);
    EXPECT_EQ(type.fields[16], "Comment");
    EXPECT_EQ(Strings(type.fields.begin() + 17, type.fields.end()), (Strings{"Company", "Job Title", "Suffix"}));
    EXPECT_FALSE(OffersField(*RecordTypeOfKind(KindOrganization), "Company"));

    ItemTree tree;
    TPersonObject& person = Person(tree);
    person.SetWorkFields("Berg \"and\" Sons", "Owner", "Sr.");
    const CsvExportFields columns{{"Last Name", "Company", "Job Title", "Suffix"}, KindPerson, false};
    std::ostringstream out;
    WriteCsvRows(tree.Root(), columns, out);
    EXPECT_EQ(out.str(), "\"Berg\",\"Berg \"\"and\"\" Sons\",\"Owner\",\"Sr.\"\r\n");

    ItemTree back;
    std::istringstream rows(out.str());
    ASSERT_EQ(ImportCSV(rows, back.Root(), {KindPerson, columns.fields}).made, 1);
    const auto& read = static_cast<const TPersonObject&>(*back.Root().ChildAt(0)->Data());
    EXPECT_EQ((Strings{read.Company(), read.JobTitle(), read.Suffix()}),
              (Strings{"Berg \"and\" Sons", "Owner", "Sr."}));
}

TEST(PersonWorkFields, ThePersonDialogShowsAndAppliesThem)
{
    ItemTree tree;
    TPersonObject& person = Person(tree);
    person.SetWorkFields("Acme", "", "");
    PartyForm form = person.FormFromItem();
    EXPECT_EQ(form.company, "Acme");
    form.company = "Globex";
    form.jobTitle = "Engineer";
    form.suffix = "III";
    person.ApplyForm(form, EditMode::Properties);
    EXPECT_EQ((Strings{person.Company(), person.JobTitle(), person.Suffix()}), (Strings{"Globex", "Engineer", "III"}));
    EXPECT_EQ(person.GetTarget(), "Dr. Jan Berg"); // the suffix is no part of the composed name
    EXPECT_TRUE(person.NewForm().company.empty());
}
