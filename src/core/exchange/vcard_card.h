// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_property.h"

#include <array>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TextLineReader;

// A name to take from a card (exactly, case counts): its first property only, or all of them.
struct PropertyTake
{
    std::string_view name;
    bool all = true;
};

// One card of a vCard file: its property lines in file order.
class TCard
{
public:
    int PropertyCount() const { return static_cast<int>(m_properties.size()); }
    TCardProperty& Properties(int index) { return m_properties.at(static_cast<std::size_t>(index)); }
    const TCardProperty& Properties(int index) const { return m_properties.at(static_cast<std::size_t>(index)); }
    void AddProperty(TCardProperty property);
    // Adds the property with a label of its own: both in a new item group, the label as
    // "X-ABLabel", the way phones and address books give a number a name of their choosing.
    void AddLabelledProperty(TCardProperty property, std::string_view label);
    // Parses a line into a new property at the end, as a line of a card of the given version.
    void AddLine(std::string_view line, VCardVersion version = VCardVersion::V21);
    void DeleteProperty(int index);
    // Empties the card, keeping the room it took for the next card read into it.
    void Clear();
    // The position of a property of this card, or -1 when it belongs to none.
    int IndexOfProperty(const TCardProperty* property) const;

    // The first property whose name is exactly name (case counts), or none.
    TCardProperty* FindProperty(std::string_view name);
    const TCardProperty* FindProperty(std::string_view name) const;
    // Removes every property named exactly name and hands them over in card order.
    std::vector<TCardProperty> TakeProperties(std::string_view name);
    // The same for several names in one pass: for each name, what it takes in card order.
    template <std::size_t N>
    std::array<std::vector<TCardProperty>, N> TakeProperties(const std::array<PropertyTake, N>& names)
    {
        std::array<std::vector<TCardProperty>, N> taken;
        TakeInto(names, taken);
        return taken;
    }
    // The names of the properties ReadCard passed over (PHOTO, GEO, X-...), in card order.
    const std::vector<std::string>& PassedOver() const { return m_passedOver; }
    // Removes the first property named exactly name and hands it over, or none.
    std::optional<TCardProperty> TakeProperty(std::string_view name);

    // Reads the lines up to a line that starts with "end:vcard" (any case) or the end of the
    // lines, and keeps the properties the card's version calls for (see CardPropertyLines). In a
    // 2.1 card a line is taken when it starts with one of the known names (FN, N, ADR, TEL, EMAIL,
    // TITLE, ORG, URL, BDAY, ANNIVERSARY, CATEGORIES, X-ABDATE, any case); being a plain prefix test, that
    // takes NOTE and NICKNAME lines too, and names stay as written. 3.0 and 4.0 cards are unfolded
    // and their names upper-cased. An "X-ABLabel" becomes the Label of the other properties of
    // its group (Apple's "_$!<Mobile>!$_" read as "Mobile") and is not kept itself.
    void ReadCard(TextLineReader& lines);
    // The card a reader takes back from the lines this one writes in the version (3.0 or 4.0), as
    // from its text, but without making the text: what the lines' escapes, URIs and labels read
    // as. Values that are not UTF-8 are read in the encoding the file reader would take them in.
    TCard ReadBack(VCardVersion version) const;
    // Writes "begin:vcard", each property's line and "end:vcard", each ended by CR LF.
    void WriteCard(std::ostream& out) const;
    // The same for 2.1; for 3.0 and 4.0 "BEGIN:VCARD", "VERSION:", the properties in that
    // version's form folded at 75 octets, and "END:VCARD".
    void WriteCard(std::ostream& out, VCardVersion version) const;
    // The same, appended to out.
    void AppendCard(std::string& out, VCardVersion version) const;

private:
    // Keeps the properties of a card's lines that the version calls for (see ReadCard).
    void ReadLines(std::span<const std::string_view> lines, VCardVersion version);
    void TakeInto(std::span<const PropertyTake> names, std::span<std::vector<TCardProperty>> taken);
    // Each label becomes the Label of the other properties of its group.
    void AttachLabels(const std::vector<TCardProperty>& labels);

    std::vector<TCardProperty> m_properties;
    std::vector<std::string> m_passedOver;
    int m_groups = 0; // item groups made by AddLabelledProperty
};

} // namespace quillary
