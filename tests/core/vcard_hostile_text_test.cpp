// SPDX-License-Identifier: GPL-3.0-or-later
// Random persons whose every text holds what card formats treat specially (commas, semicolons,
// quotes, backslashes, colons, equals signs, non-ASCII, lines far past the fold) come back from
// a card of every version exactly as they were written.
#include "support/contact_facts.h"
#include "support/fake_services.h"

#include "exchange/folder_vcards.h"
#include "exchange/vcard_import.h"
#include "model/create_item.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {
class PersonAnswer final : public OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return false; }
};

class HostileText
{
public:
    explicit HostileText(unsigned seed) : m_random(seed) {}

    // Up to length pieces, some of them empty when allowed; never only blanks, which a formatted
    // name or a title may not be.
    std::string Text(std::size_t length, bool mayBeEmpty = true)
    {
        static constexpr const char* Pieces[] = {"a",
                                                 "Z",
                                                 "7",
                                                 " ",
                                                 ",",
                                                 ";",
                                                 "\"",
                                                 "'",
                                                 "\\",
                                                 ":",
                                                 "=",
                                                 "\\n",
                                                 "\\;",
                                                 "é",
                                                 "\xE4\xB8\xAD",
                                                 "\xE2\x82\xAC",
                                                 "\xF0\x9F\x98\x80",
                                                 "<",
                                                 "&",
                                                 "#",
                                                 "%",
                                                 "/"};
        std::uniform_int_distribution<std::size_t> pieces(0, std::size(Pieces) - 1);
        std::uniform_int_distribution<std::size_t> lengths(mayBeEmpty ? 0 : 1, length);
        std::string text;
        for (std::size_t n = lengths(m_random); n > 0; --n)
            text += Pieces[pieces(m_random)];
        if (!text.empty() && text.find_first_not_of(' ') == std::string::npos)
            text += "b";
        return text;
    }
    // A detail's title: never empty, since a detail without one is given its kind's name.
    std::string Title() { return Text(12, false); }
    std::string Digits(std::size_t length)
    {
        std::uniform_int_distribution<int> digit(0, 9);
        std::string text;
        for (std::size_t n = 0; n < length; ++n)
            text += static_cast<char>('0' + digit(m_random));
        return text;
    }
    bool Coin() { return std::uniform_int_distribution<int>(0, 1)(m_random) == 1; }

private:
    std::mt19937 m_random;
};

template <typename T> T& Detail(int kind, const std::string& title, const std::string& target, TreeNode& node)
{
    return dynamic_cast<T&>(*CreateItem(kind, title, target, "", node, "", 0));
}

TPersonObject& RandomPerson(TreeNode& parent, HostileText& text)
{
    auto& person = dynamic_cast<TPersonObject&>(*CreateItem(KindPerson, text.Text(200, false), "", "", parent, "", 0));
    person.SetNames(text.Text(8), text.Text(20), text.Text(20), text.Text(120));
    person.SetWorkFields(text.Text(100), text.Text(40), text.Text(8));
    person.SetComment(text.Text(300));
    TreeNode& node = *person.GetTreeNode();
    auto& address = Detail<TAddressObject>(KindAddress, text.Title(), "", node);
    address.SetLines({text.Text(60, false), text.Text(30), text.Text(30)});
    address.SetCity(text.Text(20));
    address.SetState(text.Text(10));
    address.SetPostCode(text.Text(10));
    address.SetCountry(text.Text(20));
    // Two of each kind, so one is primary and one is not; the titles differ by their ending.
    for (const char* end : {" 1", " 2"}) {
        auto& phone = Detail<TPhoneObject>(KindPhone, text.Title() + end, "+" + text.Digits(11), node);
        phone.SetExtension(text.Coin() ? text.Digits(3) : "");
        Detail<TFaxObject>(KindFax, text.Title() + end, text.Digits(3) + " " + text.Digits(7), node);
        Detail<TEMailObject>(KindEMail, text.Title() + end, "x" + text.Digits(4) + "@example.org", node);
    }
    const auto& site =
        Detail<TWebObject>(KindWebsite, text.Title(), "https://example.org/" + text.Digits(5) + "?a=1,2;b", node);
    CreateItem(KindReminder, "Birthday", "", "", node, "{Remd}19" + text.Digits(2) + ",2,28,2~~0", 0);
    // Every kind has its primary (a card without a preferred entry makes its first one primary),
    // the first or the second of the two.
    person.SetPrimary(TPartyObject::SlotAddress, address.GetTitle());
    person.SetPrimary(TPartyObject::SlotWebsite, site.GetTitle());
    for (const auto slot : {TPartyObject::SlotPhone, TPartyObject::SlotFax, TPartyObject::SlotEMail}) {
        const bool second = text.Coin();
        for (int i = 0, seen = 0; i < person.ChildCount(); ++i)
            if (person.ChildAt(i)->GetKind() == TPartyObject::SlotKind(slot) && seen++ == (second ? 1 : 0))
                person.SetPrimary(slot, person.ChildAt(i)->GetTitle());
    }
    return person;
}
} // namespace

TEST(VCardHostileText, RandomPersonsComeBackUnchangedFromCardsOfEveryVersion)
{
    HostileText text(20260);
    for (int round = 0; round < 150; ++round) {
        TestWorld world;
        ItemTree tree(world.Services());
        RandomPerson(tree.Root(), text);
        const std::string facts = ContactFacts(tree);
        for (const VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
            SCOPED_TRACE("round " + std::to_string(round) + ", version " + std::string(VCardVersionText(version)));
            std::stringstream cards;
            WriteVCards(CardParties(tree.Root()), cards, version);
            ItemTree back(world.Services());
            PersonAnswer person;
            const ImportCounts counts = ImportVCardFile(cards, back.Root(), person);
            ASSERT_EQ(counts.made, 1) << cards.str();
            ASSERT_EQ(ContactFacts(back), facts) << cards.str();
            EXPECT_TRUE(counts.leftOut.empty());
            EXPECT_TRUE(counts.cardsWithUnkept.empty());
        }
    }
}
