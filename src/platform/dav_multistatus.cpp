// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the multistatus replies of WebDAV servers: any prefixes, one propstat per property or
// all in one, hrefs in any form, and nothing a hostile server could use to make us expand
// entities or hold without bound.
#include "platform/dav_href.h"
#include "platform/dav_xml.h"

#include <QXmlStreamReader>

namespace quillary {

namespace {

QString ClarkKey(QStringView space, QStringView local)
{
    QString key;
    key.reserve(space.size() + local.size() + 2);
    key += QLatin1Char('{');
    key += space;
    key += QLatin1Char('}');
    key += local;
    return key;
}

// "HTTP/1.1 404 Not Found" -> 404.
int StatusCode(const QString& line)
{
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

class MultistatusReader
{
public:
    MultistatusReader(const QByteArray& body, const QUrl& base) : m_reader(body), m_base(base) {}

    QString Read(DavMultistatus& multistatus)
    {
        if (NextChild() && Key() != ClarkKey(u"DAV:", u"multistatus"))
            m_reader.raiseError(QStringLiteral("the reply is not a multistatus"));
        while (NextChild()) {
            if (Key() == dav::SyncToken.Key())
                multistatus.syncToken = Text();
            else if (Key() == ClarkKey(u"DAV:", u"response"))
                ReadResponse(multistatus.responses);
            else
                m_reader.skipCurrentElement();
        }
        while (!m_reader.atEnd() && !m_reader.hasError())
            m_reader.readNext();
        if (!m_reader.hasError())
            return {};
        return QStringLiteral("bad XML in the reply (line %1): %2")
            .arg(m_reader.lineNumber())
            .arg(m_reader.errorString());
    }

private:
    // Moves to the next child element of the element the reader is in; false at that element's end.
    bool NextChild()
    {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::DTD:
                m_reader.raiseError(QStringLiteral("a document type declaration is not accepted"));
                return false;
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
                return false;
            default:
                break;
            }
        }
        return false;
    }

    QString Key() const { return ClarkKey(m_reader.namespaceUri(), m_reader.name()); }
    QString Text() { return m_reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed(); }

    void ReadResponse(std::vector<DavResponse>& responses)
    {
        DavResponse response;
        QStringList hrefs;
        while (NextChild()) {
            if (Key() == dav::Href.Key())
                hrefs << CanonicalHref(Text(), m_base);
            else if (Key() == ClarkKey(u"DAV:", u"status"))
                response.status = StatusCode(Text());
            else if (Key() == ClarkKey(u"DAV:", u"propstat"))
                ReadPropstat(response);
            else
                m_reader.skipCurrentElement();
        }
        // One response may name several members that share a status.
        for (const QString& href : hrefs) {
            if (responses.size() >= static_cast<size_t>(MaxDavEntries)) {
                m_reader.raiseError(QStringLiteral("more than %1 entries").arg(MaxDavEntries));
                return;
            }
            response.href = href;
            responses.push_back(response);
        }
    }

    void ReadPropstat(DavResponse& response)
    {
        std::map<QString, DavProperty> properties;
        int status = 200;
        while (NextChild()) {
            if (Key() == ClarkKey(u"DAV:", u"prop")) {
                while (NextChild()) {
                    const QString key = Key();
                    properties[key] = ReadProperty();
                }
            } else if (Key() == ClarkKey(u"DAV:", u"status")) {
                status = StatusCode(Text());
            } else {
                m_reader.skipCurrentElement();
            }
        }
        for (auto& [key, property] : properties) {
            property.status = status;
            // A property found in one propstat is not lost to another that calls it missing.
            auto known = response.properties.find(key);
            if (known == response.properties.end() || !known->second.Ok())
                response.properties[key] = std::move(property);
        }
    }

    DavProperty ReadProperty()
    {
        DavProperty property;
        for (int depth = 1; depth > 0 && !m_reader.atEnd();) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                property.descendants.push_back({Key(), m_reader.attributes()});
                if (Key() == dav::Href.Key())
                    property.hrefs << CanonicalHref(Text(), m_base);
                else
                    ++depth;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Characters:
                property.text += m_reader.text();
                break;
            default:
                break;
            }
        }
        property.text = property.text.trimmed();
        return property;
    }

    QXmlStreamReader m_reader;
    QUrl m_base;
};

} // namespace

QString DavName::Key() const
{
    return ClarkKey(QString::fromLatin1(space), QString::fromLatin1(local));
}

bool DavProperty::Holds(const DavName& name) const
{
    const QString key = name.Key();
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

QString ParseMultistatus(const QByteArray& body, const QUrl& base, DavMultistatus& multistatus)
{
    multistatus = {};
    MultistatusReader reader(body, base);
    const QString problem = reader.Read(multistatus);
    if (!problem.isEmpty())
        multistatus = {};
    return problem;
}

bool ErrorBodyNames(const QByteArray& body, const DavName& condition)
{
    QXmlStreamReader reader(body);
    const QString key = condition.Key();
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::Invalid)
            return false;
        if (token == QXmlStreamReader::StartElement && ClarkKey(reader.namespaceUri(), reader.name()) == key)
            return true;
    }
    return false;
}

} // namespace quillary
