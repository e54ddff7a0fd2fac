// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_card.h"

#include "exchange/vcard_escapes.h"
#include "exchange/vcard_lines.h"

#include "common/ascii_case.h"
#include "common/text_encoding.h"
#include "common/text_line_reader.h"
#include "common/utf8_text.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <list>
#include <utility>

namespace quillary {

void TCard::AddProperty(TCardProperty property)
{
    m_properties.push_back(std::move(property));
}

void TCard::AddLabelledProperty(TCardProperty property, std::string_view label)
{
    property.Group = "item" + std::to_string(++m_groups);
    TCardProperty name("X-ABLabel", {std::string(label)});
    name.Group = property.Group;
    AddProperty(std::move(property));
    AddProperty(std::move(name));
}

void TCard::AddLine(std::string_view line, VCardVersion version)
{
    m_properties.emplace_back().Parse(line, version);
}

void TCard::DeleteProperty(int index)
{
    if (index >= 0 && index < PropertyCount())
        m_properties.erase(m_properties.begin() + index);
}

void TCard::Clear()
{
    m_properties.clear();
    m_passedOver.clear();
    m_groups = 0;
}

int TCard::IndexOfProperty(const TCardProperty* property) const
{
    for (std::size_t i = 0; i < m_properties.size(); ++i)
        if (&m_properties[i] == property)
            return static_cast<int>(i);
    return -1;
}

TCardProperty* TCard::FindProperty(std::string_view name)
{
    const auto found = std::find_if(m_properties.begin(), m_properties.end(),
                                    [&](const TCardProperty& property) { return property.Name == name; });
    return found == m_properties.end() ? nullptr : &*found;
}

const TCardProperty* TCard::FindProperty(std::string_view name) const
{
    return const_cast<TCard*>(this)->FindProperty(name);
}

std::vector<TCardProperty> TCard::TakeProperties(std::string_view name)
{
    return std::move(TakeProperties(std::array{PropertyTake{name}}).front());
}

void TCard::TakeInto(std::span<const PropertyTake> names, std::span<std::vector<TCardProperty>> taken)
{
    // The list a property goes to, or none.
    const auto listOf = [&](const TCardProperty& property) -> std::vector<TCardProperty>* {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (property.Name == names[i].name && (names[i].all || taken[i].empty()))
                return &taken[i];
        return nullptr;
    };
    // One pass that keeps the order of both parts and needs no buffer of its own; the properties
    // before the first one taken stay where they are.
    auto kept = m_properties.begin();
    for (auto property = m_properties.begin(); property != m_properties.end(); ++property) {
        if (std::vector<TCardProperty>* list = listOf(*property))
            list->push_back(std::move(*property));
        else if (kept++ != property)
            *std::prev(kept) = std::move(*property);
    }
    m_properties.erase(kept, m_properties.end());
}

std::optional<TCardProperty> TCard::TakeProperty(std::string_view name)
{
    const auto found = std::find_if(m_properties.begin(), m_properties.end(),
                                    [&](const TCardProperty& property) { return property.Name == name; });
    if (found == m_properties.end())
        return std::nullopt;
    std::optional<TCardProperty> taken(std::move(*found));
    m_properties.erase(found);
    return taken;
}

namespace {
bool IsLabel(const TCardProperty& property)
{
    return EqualsNoCase(property.Name, "X-ABLABEL");
}
} // namespace

void TCard::ReadCard(TextLineReader& lines)
{
    // The card's lines are kept side by side in one text, not in a string each. Most cards fit in
    // the room taken first, which is small enough for the allocator to keep at hand (about 1 KiB).
    std::string text;
    text.reserve(1000);
    std::vector<std::size_t> ends;
    ends.reserve(32);
    std::string_view line;
    while (lines.Next(line) && !StartsWithNoCase(line, "end:vcard")) {
        text.append(line);
        ends.push_back(text.size());
    }
    std::vector<std::string_view> cardLines;
    cardLines.reserve(ends.size());
    std::size_t start = 0;
    for (const std::size_t end : ends) {
        cardLines.emplace_back(text.data() + start, end - start);
        start = end;
    }
    ReadLines(cardLines, CardVersion(cardLines));
}

TCard TCard::ReadBack(VCardVersion version) const
{
    std::vector<std::string> texts;
    texts.reserve(m_properties.size());
    bool utf8 = true;
    for (const TCardProperty& property : m_properties) {
        texts.push_back(property.AsText(version));
        utf8 = utf8 && IsUtf8(texts.back());
    }
    // A card's text that is not UTF-8 is Windows-1252 throughout, which decodes byte by byte.
    if (!utf8)
        for (std::string& text : texts)
            text = DecodeText(text, TextEncoding::Cp1252);
    const std::vector<std::string_view> lines(texts.begin(), texts.end());
    TCard card;
    card.ReadLines(lines, version);
    return card;
}

void TCard::ReadLines(std::span<const std::string_view> cardLines, VCardVersion version)
{
    std::list<std::string> joined;
    const std::vector<std::string_view> properties = CardPropertyLines(cardLines, version, joined, &m_passedOver);
    m_properties.reserve(m_properties.size() + properties.size());
    // Labels are not kept as properties of their own: they are set aside as they are read.
    std::vector<TCardProperty> labels;
    labels.reserve(properties.size());
    for (const std::string_view property : properties) {
        AddLine(property, version);
        if (IsLabel(m_properties.back())) {
            labels.push_back(std::move(m_properties.back()));
            m_properties.pop_back();
        }
    }
    AttachLabels(labels);
}

void TCard::AttachLabels(const std::vector<TCardProperty>& labels)
{
    for (const TCardProperty& label : labels) {
        if (label.Group.empty())
            continue;
        // Apple writes its own kinds as "_$!<HomePage>!$_".
        std::string text = label.Text();
        if (text.starts_with("_$!<") && text.ends_with(">!$_") && text.size() >= 8)
            text = text.substr(4, text.size() - 8);
        // Groups are mostly "item1", "item2"...: their last letters tell them apart soonest.
        const char last = AsciiLower(label.Group.back());
        for (TCardProperty& property : m_properties)
            if (!property.Group.empty() && AsciiLower(property.Group.back()) == last &&
                EqualsNoCase(property.Group, label.Group))
                property.Label = text;
    }
}

void TCard::WriteCard(std::ostream& out) const
{
    WriteCard(out, VCardVersion::V21);
}

void TCard::WriteCard(std::ostream& out, VCardVersion version) const
{
    std::string text;
    AppendCard(text, version);
    out << text;
}

void TCard::AppendCard(std::string& out, VCardVersion version) const
{
    if (version == VCardVersion::V21) {
        out += "begin:vcard\r\n";
        for (const TCardProperty& property : m_properties)
            out.append(property.AsText()).append("\r\n");
        out += "end:vcard\r\n";
        return;
    }
    out.append("BEGIN:VCARD\r\nVERSION:").append(VCardVersionText(version)).append("\r\n");
    for (const TCardProperty& property : m_properties)
        AppendFoldedLine(out, property.AsText(version));
    out += "END:VCARD\r\n";
}

} // namespace quillary
