// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/dav/dav_names.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillary {

// The request bodies, namespaces declared once at the root.
QByteArray PropfindBody(const QList<DavName>& properties);
QByteArray SyncCollectionBody(const QString& syncToken, const QList<DavName>& properties);
QByteArray MultigetBody(const QStringList& hrefs, const QList<DavName>& properties);
QByteArray MakeAddressBookBody(const QString& displayName);

} // namespace quillary
