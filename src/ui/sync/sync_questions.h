// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quillary {

struct DavStatus;

// Shows a certificate the system does not trust with its fingerprint; true when the user accepts
// it for the account.
bool AcceptCertificate(QWidget* parent, const QString& account, const DavStatus& failure);

// Shows where a server redirected to another server; true when the user takes the new address.
bool AcceptNewAddress(QWidget* parent, const QString& account, const DavStatus& failure);

} // namespace quillary
