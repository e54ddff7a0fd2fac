// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// An attribute of an element, its name resolved to its namespace (none when unprefixed).
struct XmlAttribute
{
    std::string space;
    std::string local;
    std::string value;
};

// What the reader finds, in document order. Text comes in pieces, entities and character
// references replaced and line ends made LF, as XML reads them.
class XmlEvents
{
public:
    virtual ~XmlEvents() = default;
    virtual void StartElement(std::string_view space, std::string_view local,
                              const std::vector<XmlAttribute>& attributes) = 0;
    virtual void EndElement() = 0;
    virtual void Text(std::string_view text) = 0;
};

// A reader of XML documents handed over in pieces as they arrive, for what servers send: it holds
// no more than one tag and the open elements' names, however long the document or its texts.
// Namespaces, the five predefined entities, character references, CDATA sections, comments and
// processing instructions are read; a document type declaration is refused, so no entity of the
// document's own is ever expanded. Only UTF-8 (or its ASCII subset) is read.
class XmlPushReader
{
public:
    static constexpr std::size_t MaxDepth = 64;
    static constexpr std::size_t MaxTagBytes = 64 * 1024;

    explicit XmlPushReader(XmlEvents& events);

    // Reads on with the document's next bytes. False once it is found broken, or a handler
    // refused it (Refuse); Problem() then says why, and further bytes are ignored.
    bool Feed(std::string_view bytes);
    // The document has ended: false when it ends in the middle or holds no element.
    bool Finish();
    // For handlers: the document is refused for this reason.
    void Refuse(std::string problem);

    bool Failed() const { return !m_problem.empty(); }
    // What is wrong, with the place: "at byte 1234: ...".
    const std::string& Problem() const { return m_problem; }

private:
    enum class State { Content, Markup, Tag, Reference, Comment, Cdata, Instruction };
    struct Binding
    {
        std::string prefix;
        std::string uri;
        std::size_t depth;
    };

    void Fail(std::string_view what);
    std::size_t ReadContent(std::string_view bytes, std::size_t pos);
    std::size_t ReadCdata(std::string_view bytes, std::size_t pos);
    void ReadMarkupStart(char c);
    void ReadTagByte(char c);
    void ReadReferenceByte(char c);
    void ReadCommentByte(char c);
    void ReadInstructionByte(char c);
    void EmitText(std::string_view text);
    void FlushCarriageReturn();
    void CloseTag();
    void StartTag(std::string_view tag);
    void EndTag(std::string_view tag);
    void Instruction(std::string_view text);
    bool ReadAttributes(std::string_view rest, std::vector<std::pair<std::string, std::string>>& raw);
    bool Resolve(std::string_view qualified, bool isAttribute, std::string& space, std::string& local);
    bool Decode(std::string_view value, std::string& out);

    XmlEvents& m_events;
    State m_state = State::Content;
    std::string m_problem;
    std::size_t m_offset = 0; // bytes read before the current piece
    std::size_t m_pos = 0;    // in the current piece
    bool m_started = false;   // past the byte order mark, if any
    std::size_t m_bomMatched = 0;
    bool m_rootSeen = false;
    bool m_pendingCr = false;  // a CR whose LF may come in the next piece
    std::string m_tag;         // the markup being read, without its "<"
    char m_quote = 0;          // inside a quoted attribute value of m_tag
    std::string m_reference;   // an entity reference being read, without "&" and ";"
    int m_closing = 0;         // how much of "-->", "]]>" or "?>" has been seen
    std::vector<std::string> m_open; // the open elements' qualified names
    std::vector<Binding> m_bindings;
    std::vector<XmlAttribute> m_attributes; // the current start tag's, kept for their room
};

} // namespace quillary
