// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a vCard file and imported into a fresh tree (the organization question
// answered alternately), must leave items whose cards write out and read back as the same
// number of cards: a card never loses its frame or leaks into another.
#include "exchange/vcard_file.h"
#include "exchange/vcard_import.h"
#include "model/item_tree.h"
#include "model/items_party.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

class AlternateAnswer final : public quillary::OrgCardQuestion
{
public:
    bool ImportAsOrganization(const std::string&, const std::string&) override { return m_next = !m_next; }

private:
    bool m_next = false;
};

int CardsIn(const std::string& text)
{
    std::istringstream in(text);
    quillary::TVCardFile file;
    file.Read(in);
    return file.CardCount();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    quillary::ItemTree tree;
    AlternateAnswer question;
    std::istringstream in(bytes);
    const quillary::ImportCounts counts = quillary::ImportVCardFile(in, tree.Root(), question);
    if (counts.made != CardsIn(bytes) || counts.made != tree.Root().ChildCount())
        __builtin_trap();

    quillary::TVCardFile written;
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        written.AddCard(dynamic_cast<quillary::TPartyObject&>(*tree.Root().ChildAt(i)->Data()).MakeVCard());
    std::ostringstream out;
    written.Write(out);
    if (CardsIn(out.str()) != counts.made)
        __builtin_trap();
    return 0;
}
