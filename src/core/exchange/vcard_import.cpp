// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_import.h"

#include "exchange/card_unkept.h"
#include "exchange/party_vcard.h"
#include "exchange/vcard_file.h"

#include "common/ascii_case.h"
#include "common/field_limits.h"
#include "common/text_excerpt.h"
#include "links/web_link.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"

namespace quillary {

namespace {
// Prefix, given name, middle name and family name from N, each present part but the last
// followed by a blank; "New" without N.
std::string DisplayName(const TCard& card)
{
    const TCardProperty* n = card.FindProperty("N");
    if (!n)
        return "New";
    std::string name;
    for (const std::size_t index : {3, 1, 2})
        if (index < n->Values.size())
            name.append(n->Values[index]).append(" ");
    return name.append(n->Value(0));
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// The bits of the categories that the card's CATEGORIES name.
std::int32_t CategoryBits(const TCard& card, const CategoryNames& categories)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < card.PropertyCount(); ++i) {
        const TCardProperty& property = card.Properties(i);
        if (property.Name != "CATEGORIES")
            continue;
        for (const std::string& value : property.Values) {
            const std::string_view name = TrimBlanks(value);
            for (std::size_t n = 0; n < categories.size(); ++n)
                if (!name.empty() && EqualsNoCase(name, TrimBlanks(categories[n])))
                    bits |= 1U << n;
        }
    }
    return static_cast<std::int32_t>(bits);
}

int KindOf(const TCard& card, OrgCardQuestion& question)
{
    const TCardProperty* org = card.FindProperty("ORG");
    if (org && question.ImportAsOrganization(DisplayName(card), org->Value(0)))
        return KindOrganization;
    return KindPerson;
}

// Why a card is refused for a value of more parts than a value may have, or empty.
std::string OverfullReason(const TCard& card)
{
    for (int i = 0; i < card.PropertyCount(); ++i)
        if (card.Properties(i).TooManyParts)
            return QuotedExcerpt(card.Properties(i).Name, 20) + " has more than " + std::to_string(MaxFieldsPerRow) +
                   " parts (the most a value may have)";
    return {};
}

// A card keeps its other details when a URL of it must not be a live link; only the URL stays out.
void LeaveOutHarmfulUrls(TCard& card, int number, ImportCounts& counts)
{
    for (TCardProperty& url : card.TakeProperties("URL")) {
        if (const auto problem = LinkProblem(url.Text()))
            counts.NoteLeftOut("card " + std::to_string(number) + ": URL left out: " + *problem);
        else
            card.AddProperty(std::move(url));
    }
}

// Makes the items of the cards as a reader hands them over, one at a time.
class CardImport
{
public:
    CardImport(TreeNode& destination, OrgCardQuestion& question, const ProgressFn& progress,
               const CategoryNames& categories)
        : m_destination(destination), m_question(question), m_progress(progress), m_categories(categories),
          m_update(destination.Tree()), m_sort(destination.Tree(), destination)
    {
    }

    bool Take(TCard& card, std::uint64_t number, std::uint64_t count)
    {
        const std::string overfull = OverfullReason(card);
        if (card.PropertyCount() == 0) {
            m_counts.CountRejected("card " + std::to_string(number) + ": no name or contact details");
        } else if (!overfull.empty()) {
            m_counts.CountRejected("card " + std::to_string(number) + ": " + overfull);
        } else {
            Make(card, static_cast<int>(number));
        }
        return !m_progress || m_progress(number, count);
    }

    const ImportCounts& Counts() const { return m_counts; }

private:
    void Make(TCard& card, int number)
    {
        LeaveOutHarmfulUrls(card, number, m_counts);
        const int kind = KindOf(card, m_question);
        auto* item = static_cast<TPartyObject*>(CreateItem(kind, "", "", "", m_destination, "", 0));
        item->SetCategories(item->GetCategories() | CategoryBits(card, m_categories));
        ReadPartyCard(*item, card);
        m_counts.CountMade(kind);
        for (const std::string& what : UnkeptKinds(card))
            m_counts.CountUnkept(what);
    }

    TreeNode& m_destination;
    OrgCardQuestion& m_question;
    const ProgressFn& m_progress;
    const CategoryNames& m_categories;
    TreeUpdateGuard m_update;
    // Every card renames a new child of the destination: sort it once, at the end.
    DeferredSort m_sort;
    ImportCounts m_counts;
};

TVCardFile::CardTaker Taker(CardImport& import)
{
    return
        [&import](TCard& card, std::uint64_t number, std::uint64_t count) { return import.Take(card, number, count); };
}
} // namespace

ImportCounts ImportVCardFile(const std::filesystem::path& file, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress, const CategoryNames& categories)
{
    CardImport import(destination, question, progress, categories);
    TVCardFile::LoadEach(file, Taker(import));
    return import.Counts();
}

ImportCounts ImportVCardFile(std::istream& in, TreeNode& destination, OrgCardQuestion& question,
                             const ProgressFn& progress, const CategoryNames& categories)
{
    CardImport import(destination, question, progress, categories);
    TVCardFile::ReadEach(in, Taker(import));
    return import.Counts();
}

} // namespace quillary
