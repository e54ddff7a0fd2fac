// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_url_policy.h"

#include <QHostAddress>

namespace quillary {

bool IsLoopbackHost(const QString& host)
{
    QString name = host.toLower();
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name == QLatin1String("localhost"))
        return true;
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    const QHostAddress address(name);
    return !address.isNull() && address.isLoopback();
}

bool RequestAllowed(const QUrl& url, bool allowInsecure)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    return scheme == QLatin1String("http") && (allowInsecure || IsLoopbackHost(url.host()));
}

bool RedirectAllowed(const QUrl& from, const QUrl& to, bool allowInsecure)
{
    if (!RequestAllowed(to, allowInsecure))
        return false;
    const QString target = to.scheme().toLower();
    if (target == QLatin1String("https"))
        return true;
    return from.scheme().toLower() == QLatin1String("http") && from.host().toLower() == to.host().toLower();
}

QString UrlOrigin(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    const int port = url.port(scheme == QLatin1String("https") ? 443 : scheme == QLatin1String("http") ? 80 : -1);
    return scheme + QStringLiteral("://") + url.host().toLower() + QLatin1Char(':') + QString::number(port);
}

QString UrlForMessages(const QUrl& url)
{
    return url.toDisplayString(QUrl::RemoveUserInfo);
}

} // namespace quillary
