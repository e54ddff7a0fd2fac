// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/xml_push_reader.h"

#include "common/ascii_case.h"
#include "common/blank_trim.h"
#include "common/text_excerpt.h"
#include "common/utf8_text.h"

#include <algorithm>
#include <charconv>

namespace quillary {

namespace {
constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::size_t MaxReferenceBytes = 12;      // "#x10FFFF" and room to spare
constexpr std::size_t MaxDeclarationBytes = 1024;  // what is kept of an instruction, for its encoding
constexpr std::size_t MaxShownNameBytes = 64;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsBlank);
}

std::string Shown(std::string_view name)
{
    return Excerpt(name, MaxShownNameBytes);
}

// The text an entity or character reference (without "&" and ";") stands for; false when XML
// defines none.
bool AppendReference(std::string_view name, std::string& out)
{
    static constexpr std::pair<std::string_view, char> predefined[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, text] : predefined)
        if (name == entity) {
            out += text;
            return true;
        }
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
        code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    AppendUtf8(out, code);
    return true;
}

bool IsReadEncoding(std::string_view name)
{
    return EqualsNoCase(name, "utf-8") || EqualsNoCase(name, "utf8") || EqualsNoCase(name, "us-ascii") ||
           EqualsNoCase(name, "ascii");
}
} // namespace

XmlPushReader::XmlPushReader(XmlEvents& events) : m_events(events) {}

void XmlPushReader::Fail(std::string_view what)
{
    if (m_problem.empty())
        m_problem = "bad XML in the reply (at byte " + std::to_string(m_offset + m_pos) + "): " + std::string(what);
}

void XmlPushReader::Refuse(std::string problem)
{
    if (m_problem.empty())
        m_problem = problem.empty() ? "the reply was refused" : std::move(problem);
}

bool XmlPushReader::Feed(std::string_view bytes)
{
    m_pos = 0;
    while (m_pos < bytes.size() && !Failed()) {
        if (!m_started) {
            // A UTF-8 byte order mark is passed over; UTF-16 and UTF-32 begin with FE, FF or 00.
            static constexpr std::string_view mark = "\xEF\xBB\xBF";
            const char c = bytes[m_pos];
            if (m_bomMatched < mark.size() && c == mark[m_bomMatched]) {
                ++m_pos;
                m_started = ++m_bomMatched == mark.size();
                continue;
            }
            if (m_bomMatched > 0 || c == '\xFE' || c == '\xFF' || c == '\0') {
                Fail("the reply is not UTF-8");
                break;
            }
            m_started = true;
        }
        if (m_pendingCr && (m_state == State::Content || m_state == State::Cdata)) {
            m_pendingCr = false;
            EmitText("\n");
            if (bytes[m_pos] == '\n')
                ++m_pos;
            continue;
        }
        switch (m_state) {
        case State::Content:
            m_pos = ReadContent(bytes, m_pos);
            break;
        case State::Cdata:
            m_pos = ReadCdata(bytes, m_pos);
            break;
        case State::Markup:
            ReadMarkupStart(bytes[m_pos++]);
            break;
        case State::Tag:
            ReadTagByte(bytes[m_pos++]);
            break;
        case State::Reference:
            ReadReferenceByte(bytes[m_pos++]);
            break;
        case State::Comment:
            ReadCommentByte(bytes[m_pos++]);
            break;
        case State::Instruction:
            ReadInstructionByte(bytes[m_pos++]);
            break;
        }
    }
    m_offset += bytes.size();
    m_pos = 0;
    return !Failed();
}

bool XmlPushReader::Finish()
{
    if (Failed())
        return false;
    if (m_pendingCr) {
        m_pendingCr = false;
        EmitText("\n");
    }
    if (m_state != State::Content || !m_open.empty())
        Fail("the reply ends in the middle");
    else if (!m_rootSeen)
        Fail("the reply holds no element");
    return !Failed();
}

void XmlPushReader::EmitText(std::string_view text)
{
    if (text.empty() || Failed())
        return;
    if (!m_open.empty())
        m_events.Text(text);
    else if (!IsBlankText(text))
        Fail("text outside the document's element");
}

std::size_t XmlPushReader::ReadContent(std::string_view bytes, std::size_t pos)
{
    const std::size_t found = bytes.find_first_of("<&\r", pos);
    const std::size_t end = found == std::string_view::npos ? bytes.size() : found;
    EmitText(bytes.substr(pos, end - pos));
    if (found == std::string_view::npos)
        return end;
    switch (bytes[found]) {
    case '<':
        m_state = State::Markup;
        m_tag.clear();
        return found + 1;
    case '&':
        m_state = State::Reference;
        m_reference.clear();
        return found + 1;
    default: // CR, CR LF: one LF
        if (found + 1 == bytes.size()) {
            m_pendingCr = true;
            return found + 1;
        }
        EmitText("\n");
        return found + (bytes[found + 1] == '\n' ? 2 : 1);
    }
}

std::size_t XmlPushReader::ReadCdata(std::string_view bytes, std::size_t pos)
{
    // m_closing counts the "]" held back, which may begin the section's "]]>".
    while (pos < bytes.size() && !Failed()) {
        const char c = bytes[pos];
        if (m_closing > 0) {
            if (c == ']') {
                if (m_closing == 2)
                    EmitText("]");
                m_closing = 2;
                ++pos;
                continue;
            }
            if (c == '>' && m_closing == 2) {
                m_closing = 0;
                m_state = State::Content;
                return pos + 1;
            }
            EmitText(std::string_view("]]", static_cast<std::size_t>(m_closing)));
            m_closing = 0;
        }
        const std::size_t found = bytes.find_first_of("]\r", pos);
        const std::size_t end = found == std::string_view::npos ? bytes.size() : found;
        EmitText(bytes.substr(pos, end - pos));
        if (found == std::string_view::npos)
            return end;
        if (bytes[found] == ']') {
            m_closing = 1;
            pos = found + 1;
        } else if (found + 1 == bytes.size()) {
            m_pendingCr = true;
            return found + 1;
        } else {
            EmitText("\n");
            pos = found + (bytes[found + 1] == '\n' ? 2 : 1);
        }
    }
    return pos;
}

void XmlPushReader::ReadMarkupStart(char c)
{
    m_quote = 0;
    m_closing = 0;
    if (c == '?') {
        m_state = State::Instruction;
        return;
    }
    if (IsBlank(c) || c == '>' || c == '<' || c == '=' || c == '"' || c == '\'') {
        Fail("a \"<\" that begins no tag");
        return;
    }
    m_state = State::Tag;
    m_tag.assign(1, c);
}

void XmlPushReader::ReadTagByte(char c)
{
    if (m_tag.front() == '!') {
        // "<!--", "<![CDATA[" or a declaration, which is refused.
        static constexpr std::string_view comment = "!--";
        static constexpr std::string_view cdata = "![CDATA[";
        m_tag += c;
        if (m_tag == comment) {
            m_state = State::Comment;
        } else if (m_tag == cdata) {
            if (m_open.empty())
                Fail("a CDATA section outside the document's element");
            m_state = State::Cdata;
        } else if (!comment.starts_with(m_tag) && !cdata.starts_with(m_tag)) {
            Fail(m_tag.size() > 1 && (m_tag[1] == 'D' || m_tag[1] == 'd')
                     ? "a document type declaration is not accepted"
                     : "a declaration is not accepted");
        }
        return;
    }
    if (m_quote != 0) {
        if (c == m_quote)
            m_quote = 0;
        else if (c == '<')
            Fail("a \"<\" inside an attribute's value");
    } else if (c == '"' || c == '\'') {
        m_quote = c;
    } else if (c == '>') {
        CloseTag();
        return;
    }
    m_tag += c;
    if (m_tag.size() > MaxTagBytes)
        Fail("a tag longer than 64 KiB");
}

void XmlPushReader::ReadReferenceByte(char c)
{
    if (c != ';') {
        m_reference += c;
        if (m_reference.size() > MaxReferenceBytes || c == '<' || c == '&' || IsBlank(c))
            Fail("an entity reference that does not end");
        return;
    }
    std::string text;
    if (!AppendReference(m_reference, text)) {
        Fail("an unknown entity &" + Shown(m_reference) + ";");
        return;
    }
    m_state = State::Content;
    EmitText(text);
}

void XmlPushReader::ReadCommentByte(char c)
{
    if (c == '-')
        m_closing = std::min(m_closing + 1, 2);
    else if (c == '>' && m_closing == 2)
        m_state = State::Content;
    else
        m_closing = 0;
}

void XmlPushReader::ReadInstructionByte(char c)
{
    if (c == '>' && m_closing == 1) {
        if (!m_tag.empty() && m_tag.back() == '?')
            m_tag.pop_back();
        m_state = State::Content;
        Instruction(m_tag);
        return;
    }
    m_closing = c == '?' ? 1 : 0;
    if (!m_rootSeen && m_tag.size() < MaxDeclarationBytes)
        m_tag += c;
}

void XmlPushReader::Instruction(std::string_view text)
{
    // Only the XML declaration matters: the encoding it names.
    if (m_rootSeen || !text.starts_with("xml") || text.size() < 4 || !IsBlank(text[3]))
        return;
    const std::size_t at = text.find("encoding");
    if (at == std::string_view::npos)
        return;
    std::string_view rest = TrimWhitespace(text.substr(at + 8));
    if (rest.empty() || rest.front() != '=')
        return;
    rest = TrimWhitespace(rest.substr(1));
    if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
        return;
    const std::size_t close = rest.find(rest.front(), 1);
    const std::string_view encoding = rest.substr(1, close == std::string_view::npos ? 0 : close - 1);
    if (!IsReadEncoding(encoding))
        Fail("the reply is in " + Shown(encoding) + "; only UTF-8 is read");
}

void XmlPushReader::CloseTag()
{
    m_state = State::Content;
    if (m_tag.front() == '/')
        EndTag(TrimWhitespace(std::string_view(m_tag).substr(1)));
    else
        StartTag(m_tag);
}

bool XmlPushReader::Decode(std::string_view value, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '&') {
            const std::size_t end = value.find(';', i + 1);
            if (end == std::string_view::npos || end - i - 1 > MaxReferenceBytes ||
                !AppendReference(value.substr(i + 1, end - i - 1), out))
                return false;
            i = end;
        } else if (c == '\r') {
            out += ' ';
            if (i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
        } else {
            out += IsBlank(c) ? ' ' : c;
        }
    }
    return true;
}

bool XmlPushReader::ReadAttributes(std::string_view rest, std::vector<std::pair<std::string, std::string>>& raw)
{
    for (;;) {
        rest = TrimWhitespace(rest);
        if (rest.empty())
            return true;
        const std::size_t nameEnd = rest.find_first_of(" \t\r\n=");
        const std::string_view name = rest.substr(0, nameEnd);
        rest = nameEnd == std::string_view::npos ? std::string_view() : TrimWhitespace(rest.substr(nameEnd));
        if (name.empty() || rest.empty() || rest.front() != '=') {
            Fail("an attribute without a value in <" + Shown(m_tag) + ">");
            return false;
        }
        rest = TrimWhitespace(rest.substr(1));
        const char quote = rest.empty() ? '\0' : rest.front();
        const std::size_t close = quote == '"' || quote == '\'' ? rest.find(quote, 1) : std::string_view::npos;
        if (close == std::string_view::npos) {
            Fail("an attribute's value without quotes in <" + Shown(m_tag) + ">");
            return false;
        }
        for (const auto& [known, value] : raw)
            if (known == name) {
                Fail("the attribute " + Shown(name) + " twice in one tag");
                return false;
            }
        std::string value;
        if (!Decode(rest.substr(1, close - 1), value)) {
            Fail("an unknown entity in an attribute of <" + Shown(m_tag) + ">");
            return false;
        }
        raw.emplace_back(std::string(name), std::move(value));
        rest = rest.substr(close + 1);
    }
}

bool XmlPushReader::Resolve(std::string_view qualified, bool isAttribute, std::string& space, std::string& local)
{
    const std::size_t colon = qualified.find(':');
    const std::string_view prefix = colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon);
    const std::string_view name = colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
    if (name.empty() || (colon != std::string_view::npos && prefix.empty()) ||
        name.find(':') != std::string_view::npos) {
        Fail("the name " + Shown(qualified) + " is not one XML allows");
        return false;
    }
    local.assign(name);
    space.clear();
    if (prefix == "xml") {
        space.assign(XmlNamespace);
        return true;
    }
    if (prefix.empty() && isAttribute)
        return true;
    const auto bound = std::find_if(m_bindings.rbegin(), m_bindings.rend(),
                                    [&](const Binding& binding) { return binding.prefix == prefix; });
    if (bound != m_bindings.rend()) {
        space = bound->uri;
        return true;
    }
    if (prefix.empty())
        return true;
    Fail("the prefix " + Shown(prefix) + " is not declared");
    return false;
}

void XmlPushReader::StartTag(std::string_view tag)
{
    if (m_rootSeen && m_open.empty()) {
        Fail("a second element after the document's element");
        return;
    }
    const bool empty = tag.ends_with('/');
    if (empty)
        tag.remove_suffix(1);
    const std::size_t nameEnd = tag.find_first_of(" \t\r\n");
    const std::string_view qualified = tag.substr(0, nameEnd);
    if (m_open.size() + 1 > MaxDepth) {
        Fail("elements nested more than " + std::to_string(MaxDepth) + " deep");
        return;
    }
    std::vector<std::pair<std::string, std::string>> raw;
    if (nameEnd != std::string_view::npos && !ReadAttributes(tag.substr(nameEnd), raw))
        return;
    const std::size_t depth = m_open.size() + 1;
    for (const auto& [name, value] : raw) {
        if (name == "xmlns") {
            m_bindings.push_back({{}, value, depth});
        } else if (name.starts_with("xmlns:")) {
            if (value.empty() || name.size() == 6) {
                Fail("an empty namespace for the prefix " + Shown(name.substr(6)));
                return;
            }
            m_bindings.push_back({name.substr(6), value, depth});
        }
    }
    std::string space;
    std::string local;
    if (!Resolve(qualified, false, space, local))
        return;
    m_attributes.clear();
    for (const auto& [name, value] : raw) {
        if (name == "xmlns" || name.starts_with("xmlns:"))
            continue;
        XmlAttribute attribute;
        if (!Resolve(name, true, attribute.space, attribute.local))
            return;
        attribute.value = value;
        m_attributes.push_back(std::move(attribute));
    }
    m_open.emplace_back(qualified);
    m_rootSeen = true;
    m_events.StartElement(space, local, m_attributes);
    if (empty && !Failed())
        EndTag(qualified);
}

void XmlPushReader::EndTag(std::string_view name)
{
    if (m_open.empty() || m_open.back() != name) {
        Fail("the end tag </" + Shown(name) + "> closes no open element of that name");
        return;
    }
    m_events.EndElement();
    const std::size_t depth = m_open.size();
    while (!m_bindings.empty() && m_bindings.back().depth == depth)
        m_bindings.pop_back();
    m_open.pop_back();
}

} // namespace quillary
