// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_href.h"

#include <QByteArray>
#include <QStringList>

namespace quillary {

namespace {

// What RFC 3986 lets a path segment hold besides unreserved characters.
const QByteArray SegmentCharacters = QByteArrayLiteral("!$&'()*+,;=:@");

QString CanonicalPath(const QByteArray& encodedPath)
{
    QList<QByteArray> segments = encodedPath.split('/');
    for (QByteArray& segment : segments)
        segment = QByteArray::fromPercentEncoding(segment).toPercentEncoding(SegmentCharacters);
    return QString::fromLatin1(segments.join('/'));
}

QString WithoutClosingSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path.left(path.size() - 1) : path;
}

} // namespace

QString CanonicalHref(const QString& href, const QUrl& base)
{
    const QUrl resolved = base.resolved(QUrl(href.trimmed(), QUrl::TolerantMode));
    QString path = CanonicalPath(resolved.path(QUrl::FullyEncoded).toLatin1());
    return path.isEmpty() ? QStringLiteral("/") : path;
}

bool SameCollectionPath(const QString& left, const QString& right)
{
    return WithoutClosingSlash(left) == WithoutClosingSlash(right);
}

QUrl HrefUrl(const QString& href, const QUrl& base)
{
    QUrl url = base.resolved(QUrl(href, QUrl::TolerantMode));
    url.setPath(CanonicalPath(url.path(QUrl::FullyEncoded).toLatin1()), QUrl::TolerantMode);
    return url;
}

} // namespace quillary
