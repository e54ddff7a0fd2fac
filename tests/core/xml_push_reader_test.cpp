// SPDX-License-Identifier: GPL-3.0-or-later
#include "dav/xml_push_reader.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillary;

namespace {
// The events as one line each, text pieces joined: what a document says, however it arrives.
class Trace final : public XmlEvents
{
public:
    void StartElement(std::string_view space, std::string_view local,
                      const std::vector<XmlAttribute>& attributes) override
    {
        Flush();
        m_lines += "<{" + std::string(space) + "}" + std::string(local);
        for (const XmlAttribute& attribute : attributes)
            m_lines += " {" + attribute.space + "}" + attribute.local + "=" + attribute.value;
        m_lines += ">\n";
    }
    void EndElement() override
    {
        Flush();
        m_lines += "</>\n";
    }
    void Text(std::string_view text) override { m_text += text; }
    std::string Lines()
    {
        Flush();
        return m_lines;
    }

private:
    void Flush()
    {
        if (!m_text.empty())
            m_lines += "text " + m_text + "\n";
        m_text.clear();
    }
    std::string m_lines;
    std::string m_text;
};

// The trace of the document fed in pieces of the given sizes (repeated), or "refused: why".
std::string Read(std::string_view document, std::size_t piece = 0)
{
    Trace trace;
    XmlPushReader reader(trace);
    bool fed = true;
    for (std::size_t at = 0; fed && at < document.size(); at += piece == 0 ? document.size() : piece)
        fed = reader.Feed(document.substr(at, piece == 0 ? document.size() : piece));
    if (!fed || !reader.Finish())
        return "refused: " + reader.Problem();
    return trace.Lines();
}

// A document of the kinds of markup servers send, drawn at random.
std::string RandomDocument(std::mt19937& random)
{
    static const char* const pieces[] = {"plain words", "&amp;&lt;&gt;&quot;&apos;", "&#233;&#x20AC;", "line\r\nend",
                                         "cr\ronly", "<![CDATA[<raw> ]] ]]]&amp;]]>", "<!-- a comment -- - -->",
                                         "<?pi data?>", "  ", "\xC3\xA9t\xC3\xA9"};
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:root xmlns:d=\"DAV:\" xmlns=\"urn:x\">";
    int depth = 1;
    std::vector<std::string> open{"d:root"};
    for (int step = 0; step < 60; ++step) {
        switch (random() % 4) {
        case 0:
            if (depth < 8) {
                const bool prefixed = random() % 2 == 0;
                const std::string name = prefixed ? "c:e" + std::to_string(random() % 3) : "plain";
                out += "<" + name + (prefixed ? " xmlns:c=\"urn:c" + std::to_string(random() % 2) + "\"" : "") +
                       " a='v&amp;" + std::to_string(random() % 9) + "'>";
                open.push_back(name);
                ++depth;
            }
            break;
        case 1:
            if (depth > 1) {
                out += "</" + open.back() + ">";
                open.pop_back();
                --depth;
            }
            break;
        case 2:
            out += "<d:empty b=\"1\"/>";
            break;
        default:
            out += pieces[random() % std::size(pieces)];
            break;
        }
    }
    while (!open.empty()) {
        out += "</" + open.back() + ">";
        open.pop_back();
    }
    return out + "\n<!-- after -->\n";
}
} // namespace

TEST(XmlPushReader, ADocumentReadsTheSameInPiecesOfAnySize)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        const std::string document = RandomDocument(random);
        const std::string whole = Read(document);
        ASSERT_EQ(whole.find("refused"), std::string::npos) << whole << "\n" << document;
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                        std::size_t{1 + random() % 64}})
            ASSERT_EQ(Read(document, piece), whole) << "pieces of " << piece << "\n" << document;
    }
}

TEST(XmlPushReader, NamesTextsAndReferencesReadAsXmlHasThem)
{
    EXPECT_EQ(Read("\xEF\xBB\xBF<a:m xmlns:a='DAV:' xmlns='urn:d'><a:x k=\"&lt;1&gt;\" a:k='2'>t&#x41;&#66;&amp;</a:x>"
                   "<y xmlns='' >\r\n<![CDATA[a]]b<c>]]></y><z/></a:m>"),
              "<{DAV:}m>\n<{DAV:}x {}k=<1> {DAV:}k=2>\ntext tAB&\n</>\n<{}y>\ntext \na]]b<c>\n</>\n<{urn:d}z>\n</>\n"
              "</>\n");
    // Attribute values have their blanks made spaces; the xml prefix needs no declaration.
    EXPECT_EQ(Read("<r xml:lang='en' v='a\tb\r\nc'/>"), "<{}r {http://www.w3.org/XML/1998/namespace}lang=en {}v=a b c>\n</>\n");
}

TEST(XmlPushReader, BrokenOrHostileDocumentsAreRefusedWithTheReason)
{
    const std::pair<std::string, const char*> refused[] = {
        {"<!DOCTYPE r [<!ENTITY a \"aaaa\">]><r>&a;</r>", "document type declaration"},
        {"<r>&a;</r>", "unknown entity &a;"},
        {"<r>&#0;</r>", "unknown entity &#0;"},
        {"<r>&#xD800;</r>", "unknown entity"},
        {"<r>&amp</r>", "entity reference that does not end"},
        {"<r><a></b></r>", "</b> closes no open element"},
        {"<r>", "ends in the middle"},
        {"<r><![CDATA[open", "ends in the middle"},
        {"", "holds no element"},
        {"just text", "text outside"},
        {"<r/><r/>", "second element"},
        {"<p:r/>", "prefix p is not declared"},
        {"<r xmlns:p=''/>", "empty namespace"},
        {"<r a='1' a='2'/>", "attribute a twice"},
        {"<r a=1/>", "without quotes"},
        {"<r a/>", "without a value"},
        {"<r a='<'/>", "\"<\" inside an attribute"},
        {"< r/>", "begins no tag"},
        {"<?xml version='1.0' encoding='ISO-8859-1'?><r/>", "in ISO-8859-1; only UTF-8"},
        {"\xFF\xFE<\0r\0/\0>\0", "not UTF-8"},
        {"<r><!ELEMENT x ANY></r>", "declaration is not accepted"},
        {"<r a='" + std::string(XmlPushReader::MaxTagBytes, 'x') + "'/>", "tag longer than 64 KiB"},
    };
    for (const auto& [document, reason] : refused) {
        const std::string read = Read(document);
        EXPECT_EQ(read.rfind("refused: bad XML in the reply (at byte ", 0), 0U) << document << "\n" << read;
        EXPECT_NE(read.find(reason), std::string::npos) << document << "\n" << read;
        EXPECT_EQ(Read(document, 1), read) << document;
    }
    std::string deep;
    for (std::size_t i = 0; i <= XmlPushReader::MaxDepth; ++i)
        deep += "<e>";
    EXPECT_NE(Read(deep).find("nested more than 64 deep"), std::string::npos);
}

TEST(XmlPushReader, ALongTextArrivesInPiecesAndIsNeverHeldWhole)
{
    // 64 MiB of text in one element: the reader hands each piece on as it comes.
    struct Largest final : XmlEvents
    {
        void StartElement(std::string_view, std::string_view, const std::vector<XmlAttribute>&) override {}
        void EndElement() override {}
        void Text(std::string_view text) override
        {
            total += text.size();
            largest = std::max(largest, text.size());
        }
        std::size_t total = 0;
        std::size_t largest = 0;
    } events;
    XmlPushReader reader(events);
    ASSERT_TRUE(reader.Feed("<r>"));
    const std::string piece(1 << 16, 'x');
    for (int i = 0; i < 1024; ++i)
        ASSERT_TRUE(reader.Feed(piece));
    ASSERT_TRUE(reader.Feed("</r>"));
    ASSERT_TRUE(reader.Finish());
    EXPECT_EQ(events.total, std::size_t{1} << 26);
    EXPECT_EQ(events.largest, piece.size());
}
