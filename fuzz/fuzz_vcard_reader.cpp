// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as a vCard file of any version (2.1 lines, 3.0 and 4.0 folding, quoted-printable,
// escapes) and imported into a fresh tree (the organization question answered alternately), must
// make an item or a rejection of every card, and leave items whose cards, written in each
// version, read back as the same number of cards: a card never loses its frame or leaks into
// another.
#include "exchange/party_vcard.h"
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
    if (counts.made + counts.rejected != CardsIn(bytes) || counts.made != tree.Root().ChildCount())
        __builtin_trap();

    using quillary::VCardVersion;
    for (const VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
        quillary::TVCardFile written;
        written.Version = version;
        for (int i = 0; i < tree.Root().ChildCount(); ++i)
            written.AddCard(
                quillary::MakeVCard(dynamic_cast<quillary::TPartyObject&>(*tree.Root().ChildAt(i)->Data()), version));
        std::ostringstream out;
        written.Write(out);
        if (CardsIn(out.str()) != counts.made)
            __builtin_trap();
    }
    return 0;
}
