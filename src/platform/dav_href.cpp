// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_href.h"

#include "core/dav/dav_href.h"

namespace quillary {

QUrl HrefUrl(const QString& href, const QUrl& base)
{
    const std::optional<std::string> path = CanonicalHref(href.toStdString(), UrlText(base));
    if (!path)
        return {};
    QUrl url = base.resolved(QUrl(href.trimmed(), QUrl::TolerantMode));
    url.setPath(QString::fromStdString(*path), QUrl::TolerantMode);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

std::string UrlText(const QUrl& url)
{
    return url.toString(QUrl::FullyEncoded | QUrl::RemoveUserInfo).toStdString();
}

} // namespace quillary
