// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

#include <string>

namespace quillary {

// A href as a request URL: absolute URLs keep their server, paths go on the server of base; the
// path is the canonical one (CanonicalHref). Invalid when the href is no reference.
QUrl HrefUrl(const QString& href, const QUrl& base);

// A URL as the core's readers take it: fully encoded, without user information.
std::string UrlText(const QUrl& url);

} // namespace quillary
