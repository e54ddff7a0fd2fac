// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the multistatus replies of WebDAV servers: any prefixes, one propstat per property or
// all in one, hrefs in any form, and nothing a hostile server could use to make us expand
// entities or hold more than a bounded amount per response.
#include "dav/dav_multistatus.h"

#include "common/blank_trim.h"
#include "common/text_excerpt.h"
#include "dav/dav_href.h"

#include <charconv>

namespace quillary {

namespace {
// What is kept of a property too long to keep whole: enough to name the card it begins.
constexpr std::size_t OversizedBeginningBytes = 64 * 1024;
constexpr std::size_t MaxShownBytes = 80;

// The depths of a multistatus: its responses, what a response holds (href, status, propstat),
// what a propstat holds (prop, status), and the properties.
constexpr std::size_t ResponseDepth = 2;
constexpr std::size_t InResponse = 3;
constexpr std::size_t InPropstat = 4;
constexpr std::size_t InProp = 5;

std::string Key(std::string_view space, std::string_view local)
{
    std::string key;
    key.reserve(space.size() + local.size() + 2);
    key.append("{").append(space).append("}").append(local);
    return key;
}

std::string Trimmed(std::string_view text)
{
    return std::string(TrimWhitespace(text));
}

std::string Shown(std::string_view text)
{
    return Excerpt(text, MaxShownBytes);
}

// The names compared on every element, made once.
struct Keys
{
    std::string multistatus = dav::Multistatus.Key();
    std::string response = dav::Response.Key();
    std::string propstat = dav::Propstat.Key();
    std::string prop = dav::Prop.Key();
    std::string status = dav::Status.Key();
    std::string href = dav::Href.Key();
    std::string syncToken = dav::SyncToken.Key();
};

const Keys& Names()
{
    static const Keys keys;
    return keys;
}

class ConditionFinder final : public XmlEvents
{
public:
    explicit ConditionFinder(std::string key) : m_key(std::move(key)) {}
    void StartElement(std::string_view space, std::string_view local, const std::vector<XmlAttribute>&) override
    {
        found = found || Key(space, local) == m_key;
    }
    void EndElement() override {}
    void Text(std::string_view) override {}
    bool found = false;

private:
    std::string m_key;
};
} // namespace

std::string_view DavXmlElement::Attribute(std::string_view local) const
{
    for (const XmlAttribute& attribute : attributes)
        if (attribute.space.empty() && attribute.local == local)
            return attribute.value;
    return {};
}

bool DavProperty::Holds(const DavName& name) const
{
    const std::string key = name.Key();
    for (const DavXmlElement& element : descendants)
        if (element.key == key)
            return true;
    return false;
}

const DavProperty* DavResponse::Found(const DavName& name) const
{
    const auto found = properties.find(name.Key());
    return found != properties.end() && found->second.Ok() ? &found->second : nullptr;
}

int DavStatusCode(std::string_view line)
{
    // The second word: "HTTP/1.1 404 Not Found".
    const std::size_t start = line.find_first_not_of(" \t\r\n");
    const std::size_t blank = start == std::string_view::npos ? start : line.find_first_of(" \t", start);
    const std::size_t code = blank == std::string_view::npos ? blank : line.find_first_not_of(" \t", blank);
    if (code == std::string_view::npos)
        return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(line.data() + code, line.data() + line.size(), value);
    const bool whole = end == line.data() + line.size() || *end == ' ' || *end == '\t' || *end == '\r' || *end == '\n';
    return error == std::errc() && whole ? value : 0;
}

MultistatusReader::MultistatusReader(std::string baseUrl, const std::vector<DavName>& wanted, ResponseSink sink)
    : m_base(std::move(baseUrl)), m_sink(std::move(sink))
{
    for (const DavName& name : wanted)
        m_wanted[name.Key()] = {};
}

void MultistatusReader::KeepOversized(const DavName& name, std::size_t limit)
{
    m_wanted[name.Key()] = {limit, true};
}

bool MultistatusReader::Canonical(const std::string& text, std::string& href)
{
    const std::optional<std::string> canonical = CanonicalHref(Trimmed(text), m_base);
    if (!canonical) {
        Refuse("the reply names \"" + Shown(Trimmed(text)) + "\", which is no path on the server");
        return false;
    }
    href = *canonical;
    return true;
}

bool MultistatusReader::Append(std::string& text, std::string_view piece, std::size_t limit)
{
    if (text.size() + piece.size() <= limit) {
        text.append(piece);
        return true;
    }
    return false;
}

void MultistatusReader::StartCapture(Capture capture)
{
    m_capture = capture;
    m_captureDepth = m_depth;
    m_text.clear();
}

void MultistatusReader::StartElement(std::string_view space, std::string_view local,
                                     const std::vector<XmlAttribute>& attributes)
{
    ++m_depth;
    // The members a response names are bounded as entries; everything else in it, here.
    const bool member = m_depth == InResponse && space == DavNamespace && local == "href";
    if (m_inResponse && !member && ++m_responseElements > MaxDavElementsPerResponse) {
        Refuse("a response of the reply holds more than " + std::to_string(MaxDavElementsPerResponse) + " elements");
        return;
    }
    if (m_skipDepth != 0)
        return;
    const std::string key = Key(space, local);
    if (m_depth == 1) {
        if (key != Names().multistatus)
            Refuse("the reply is not a multistatus");
    } else if (m_depth == ResponseDepth) {
        if (key == Names().response) {
            m_inResponse = true;
            m_responseElements = 1;
            m_response = {};
            m_hrefs.clear();
        } else if (key == Names().syncToken) {
            StartCapture(Capture::SyncToken);
        } else {
            m_skipDepth = m_depth;
        }
    } else if (m_inResponse) {
        StartInResponse(key, attributes);
    } else {
        m_skipDepth = m_depth;
    }
}

void MultistatusReader::StartInResponse(const std::string& key, const std::vector<XmlAttribute>& attributes)
{
    if (m_capture == Capture::Property) {
        m_property.descendants.push_back({key, attributes});
        if (key == Names().href) {
            m_capture = Capture::PropertyHref;
            m_hrefDepth = m_depth;
            m_hrefText.clear();
        }
        return;
    }
    if (m_capture != Capture::None) {
        m_skipDepth = m_depth; // markup inside an href or a status
    } else if (m_depth == InResponse && key == Names().href) {
        StartCapture(Capture::Href);
    } else if (m_depth == InResponse && key == Names().status) {
        StartCapture(Capture::Status);
    } else if (m_depth == InResponse && key == Names().propstat) {
        m_propstat.clear();
        m_propstatStatus = 200;
    } else if (m_depth == InPropstat && key == Names().status) {
        StartCapture(Capture::PropstatStatus);
    } else if (m_depth == InPropstat && key == Names().prop) {
        // its properties follow
    } else if (m_depth == InProp && m_wanted.count(key) != 0) {
        StartCapture(Capture::Property);
        m_propertyKey = key;
        m_property = {};
    } else {
        m_skipDepth = m_depth;
    }
}

void MultistatusReader::Text(std::string_view text)
{
    if (m_skipDepth != 0 || m_capture == Capture::None || Failed())
        return;
    if (m_capture == Capture::PropertyHref) {
        if (!Append(m_hrefText, text, MaxDavTextBytes))
            Refuse("the reply holds an href longer than 64 KiB");
        return;
    }
    if (m_capture != Capture::Property) {
        if (!Append(m_text, text, MaxDavTextBytes))
            Refuse("the reply holds a text longer than 64 KiB");
        return;
    }
    const Wanted& wanted = m_wanted[m_propertyKey];
    if (m_property.oversized || Append(m_property.text, text, wanted.limit))
        return;
    if (!wanted.keepsOversized) {
        Refuse("the reply holds a " + m_propertyKey + " longer than " + std::to_string(wanted.limit >> 10) + " KiB");
        return;
    }
    m_property.oversized = true;
    m_property.text.append(text.substr(0, OversizedBeginningBytes));
    m_property.text.resize(std::min(m_property.text.size(), OversizedBeginningBytes));
    m_property.text.shrink_to_fit();
}

void MultistatusReader::EndCapture()
{
    const Capture capture = m_capture;
    m_capture = Capture::None;
    switch (capture) {
    case Capture::Href: {
        std::string href;
        if (!Canonical(m_text, href))
            return;
        if (++m_entries > MaxDavEntries) {
            Refuse("the reply holds more than " + std::to_string(MaxDavEntries) + " entries");
            return;
        }
        m_hrefs.push_back(std::move(href));
        break;
    }
    case Capture::Status:
        m_response.status = DavStatusCode(m_text);
        break;
    case Capture::PropstatStatus:
        m_propstatStatus = DavStatusCode(m_text);
        break;
    case Capture::SyncToken:
        m_syncToken = Trimmed(m_text);
        break;
    case Capture::Property:
        m_property.text = Trimmed(m_property.text);
        m_propstat[m_propertyKey] = std::move(m_property);
        break;
    case Capture::PropertyHref:
    case Capture::None:
        break;
    }
    m_text.clear();
}

void MultistatusReader::EndPropstat()
{
    for (auto& [key, property] : m_propstat) {
        property.status = m_propstatStatus;
        // A property found in one propstat is not lost to another that calls it missing.
        const auto known = m_response.properties.find(key);
        if (known == m_response.properties.end() || !known->second.Ok())
            m_response.properties[key] = std::move(property);
    }
    m_propstat.clear();
}

void MultistatusReader::EndResponse()
{
    m_inResponse = false;
    if (m_hrefs.size() == 1) {
        m_response.href = std::move(m_hrefs.front());
        if (std::string problem = m_sink(m_response); !problem.empty())
            Refuse(std::move(problem));
        return;
    }
    // Several members sharing one status: each is told alone, without copies of anything else.
    for (std::string& href : m_hrefs) {
        DavResponse member{std::move(href), m_response.status, {}};
        if (std::string problem = m_sink(member); !problem.empty()) {
            Refuse(std::move(problem));
            return;
        }
    }
}

void MultistatusReader::EndElement()
{
    const std::size_t depth = m_depth--;
    if (m_skipDepth != 0) {
        if (depth == m_skipDepth)
            m_skipDepth = 0;
        return;
    }
    if (Failed())
        return;
    if (m_capture == Capture::PropertyHref && depth == m_hrefDepth) {
        m_capture = Capture::Property;
        std::string href;
        if (Canonical(m_hrefText, href))
            m_property.hrefs.push_back(std::move(href));
        return;
    }
    if (m_capture != Capture::None && depth == m_captureDepth) {
        EndCapture();
        return;
    }
    if (m_inResponse && depth == InResponse)
        EndPropstat();
    else if (m_inResponse && depth == ResponseDepth)
        EndResponse();
}

std::string ParseMultistatus(std::string_view body, std::string_view baseUrl, const std::vector<DavName>& wanted,
                             DavMultistatus& multistatus)
{
    multistatus = {};
    MultistatusReader reader(std::string(baseUrl), wanted, [&](DavResponse& response) {
        multistatus.responses.push_back(std::move(response));
        return std::string();
    });
    if (reader.Feed(body) && reader.Finish()) {
        multistatus.syncToken = reader.SyncToken();
        return {};
    }
    multistatus = {};
    return reader.Problem();
}

bool ErrorBodyNames(std::string_view body, const DavName& condition)
{
    ConditionFinder finder(condition.Key());
    XmlPushReader reader(finder);
    reader.Feed(body);
    return finder.found;
}

} // namespace quillary
