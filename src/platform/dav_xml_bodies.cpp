// SPDX-License-Identifier: GPL-3.0-or-later
// The XML of the requests this program sends.
#include "platform/dav_xml.h"

#include <QXmlStreamWriter>

namespace quillary {

namespace {

class BodyWriter
{
public:
    explicit BodyWriter(const DavName& root) : m_writer(&m_body)
    {
        m_writer.writeStartDocument();
        m_writer.writeNamespace(QString::fromLatin1(DavNamespace), QStringLiteral("d"));
        m_writer.writeNamespace(QString::fromLatin1(CardDavNamespace), QStringLiteral("card"));
        m_writer.writeNamespace(QString::fromLatin1(CalendarServerNamespace), QStringLiteral("cs"));
        Start(root);
    }

    void Start(const DavName& name) { m_writer.writeStartElement(Space(name), QString::fromLatin1(name.local)); }
    void End() { m_writer.writeEndElement(); }
    void Empty(const DavName& name) { m_writer.writeEmptyElement(Space(name), QString::fromLatin1(name.local)); }
    void Text(const DavName& name, const QString& text)
    {
        m_writer.writeTextElement(Space(name), QString::fromLatin1(name.local), text);
    }
    void Properties(const QList<DavName>& properties)
    {
        Start({DavNamespace, "prop"});
        for (const DavName& property : properties)
            Empty(property);
        End();
    }
    QByteArray Finish()
    {
        m_writer.writeEndDocument();
        return m_body;
    }

private:
    static QString Space(const DavName& name) { return QString::fromLatin1(name.space); }

    QByteArray m_body;
    QXmlStreamWriter m_writer;
};

} // namespace

QByteArray PropfindBody(const QList<DavName>& properties)
{
    BodyWriter writer({DavNamespace, "propfind"});
    writer.Properties(properties);
    return writer.Finish();
}

QByteArray SyncCollectionBody(const QString& syncToken, const QList<DavName>& properties)
{
    BodyWriter writer(dav::SyncCollection);
    writer.Text(dav::SyncToken, syncToken);
    writer.Text({DavNamespace, "sync-level"}, QStringLiteral("1"));
    writer.Properties(properties);
    return writer.Finish();
}

QByteArray MultigetBody(const QStringList& hrefs, const QList<DavName>& properties)
{
    BodyWriter writer({CardDavNamespace, "addressbook-multiget"});
    writer.Properties(properties);
    for (const QString& href : hrefs)
        writer.Text(dav::Href, href);
    return writer.Finish();
}

QByteArray MakeAddressBookBody(const QString& displayName)
{
    BodyWriter writer({DavNamespace, "mkcol"});
    writer.Start({DavNamespace, "set"});
    writer.Start({DavNamespace, "prop"});
    writer.Start(dav::ResourceType);
    writer.Empty(dav::Collection);
    writer.Empty(dav::AddressBook);
    writer.End();
    writer.Text(dav::DisplayName, displayName);
    writer.End();
    writer.End();
    return writer.Finish();
}

} // namespace quillary
