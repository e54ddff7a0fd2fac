// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace quillary {

// Servers write the same member as "/book/a%40b.vcf", "/book/a@b.vcf" or
// "https://host/book/a%40b.vcf". Hrefs are kept in one form: the absolute path, each segment
// percent-decoded and encoded again by one rule (only what a path segment cannot hold is
// encoded), so a href read from a listing matches the one written by a PUT.
QString CanonicalHref(const QString& href, const QUrl& base);

// The same path with or without its closing slash: how a collection names itself in a listing.
bool SameCollectionPath(const QString& left, const QString& right);

// A href as a request URL: absolute URLs stand as they are, paths go on the server of base.
QUrl HrefUrl(const QString& href, const QUrl& base);

} // namespace quillary
