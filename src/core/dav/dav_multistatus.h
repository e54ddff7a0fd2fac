// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_names.h"
#include "dav/xml_push_reader.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Bounds on what a reply may make us hold or do, whatever the server sends.
inline constexpr std::size_t MaxDavReplyBytes = 256 * 1024 * 1024;
inline constexpr std::size_t MaxDavEntries = 500000;
// Elements of one response, those passed over included: a card's response has a dozen.
inline constexpr std::size_t MaxDavElementsPerResponse = 4096;
// An href, a status line, an ETag, a name, a token.
inline constexpr std::size_t MaxDavTextBytes = 64 * 1024;

// An element inside a property, with its attributes (address-data-type has its version there).
struct DavXmlElement
{
    std::string key; // "{namespace}local"
    std::vector<XmlAttribute> attributes;
    // The value of the unprefixed attribute of that name, or empty text.
    std::string_view Attribute(std::string_view local) const;
};

// One property of a multistatus response, as the propstat that held it says.
struct DavProperty
{
    int status = 200;
    std::string text;                       // its text, trimmed (an ETag, a name, a card)
    std::vector<std::string> hrefs;         // the DAV:href inside it, canonical
    std::vector<DavXmlElement> descendants; // every element inside it
    // Longer than the reader keeps of it (see KeepOversized): text is its beginning.
    bool oversized = false;
    bool Ok() const { return status >= 200 && status < 300; }
    bool Holds(const DavName& name) const;
};

// One DAV:response entry: its href and either a status of its own (a removed member) or properties.
struct DavResponse
{
    std::string href; // canonical
    int status = 0;
    std::map<std::string, DavProperty> properties;
    // The property when the server answered it with a success, else nullptr.
    const DavProperty* Found(const DavName& name) const;
};

struct DavMultistatus
{
    std::vector<DavResponse> responses;
    std::string syncToken;
};

// Reads a 207 reply as it arrives, holding one response at a time: each entry goes to the sink as
// soon as its response has ended. Only the properties asked for are kept; hrefs are made
// canonical against the URL that answered. The reply is refused (Problem says why) when it is not
// well-formed XML or not a multistatus, or exceeds a bound: MaxDavEntries entries, elements per
// response, texts of MaxDavTextBytes, a href that is no path. A response that names several
// hrefs gives each its status alone, as RFC 4918 has it.
class MultistatusReader final : private XmlEvents
{
public:
    // Returns a problem to refuse the reply with, or empty text.
    using ResponseSink = std::function<std::string(DavResponse& response)>;

    MultistatusReader(std::string baseUrl, const std::vector<DavName>& wanted, ResponseSink sink);
    MultistatusReader(const MultistatusReader&) = delete;
    MultistatusReader& operator=(const MultistatusReader&) = delete;

    // A property whose text may be longer than MaxDavTextBytes: past limit its text is cut to its
    // beginning and it is marked oversized, rather than the reply refused.
    void KeepOversized(const DavName& name, std::size_t limit);

    bool Feed(std::string_view bytes) { return m_xml.Feed(bytes); }
    bool Finish() { return m_xml.Finish(); }
    void Refuse(std::string problem) { m_xml.Refuse(std::move(problem)); }
    bool Failed() const { return m_xml.Failed(); }
    const std::string& Problem() const { return m_xml.Problem(); }
    const std::string& SyncToken() const { return m_syncToken; }

private:
    enum class Capture { None, Href, Status, SyncToken, PropstatStatus, Property, PropertyHref };

    void StartElement(std::string_view space, std::string_view local,
                      const std::vector<XmlAttribute>& attributes) override;
    void EndElement() override;
    void Text(std::string_view text) override;

    void StartInResponse(const std::string& key, const std::vector<XmlAttribute>& attributes);
    void StartCapture(Capture capture);
    void EndCapture();
    void EndResponse();
    void EndPropstat();
    bool Canonical(const std::string& text, std::string& href);
    bool Append(std::string& text, std::string_view piece, std::size_t limit);

    std::string m_base;
    struct Wanted
    {
        std::size_t limit = MaxDavTextBytes;
        bool keepsOversized = false;
    };
    std::map<std::string, Wanted> m_wanted; // by key
    ResponseSink m_sink;
    XmlPushReader m_xml{*this};

    std::size_t m_depth = 0;
    std::size_t m_skipDepth = 0; // inside an element passed over, and its depth
    Capture m_capture = Capture::None;
    std::size_t m_captureDepth = 0;
    std::string m_text;
    std::string m_hrefText; // an href inside a property
    std::size_t m_hrefDepth = 0;
    std::string m_syncToken;
    std::size_t m_entries = 0;

    bool m_inResponse = false;
    std::size_t m_responseElements = 0;
    DavResponse m_response;
    std::vector<std::string> m_hrefs;
    std::map<std::string, DavProperty> m_propstat;
    int m_propstatStatus = 200;
    std::string m_propertyKey;
    DavProperty m_property;
};

// Reads a whole 207 body into multistatus, keeping the properties asked for. Returns an empty
// string when the body was read, else what was wrong with it.
std::string ParseMultistatus(std::string_view body, std::string_view baseUrl, const std::vector<DavName>& wanted,
                             DavMultistatus& multistatus);

// Whether an error body (RFC 4918's DAV:error) names the given precondition.
bool ErrorBodyNames(std::string_view body, const DavName& condition);

// "HTTP/1.1 404 Not Found" -> 404; 0 when the line holds no code.
int DavStatusCode(std::string_view line);

} // namespace quillary
