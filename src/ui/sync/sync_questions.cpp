// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_questions.h"

#include "sync/dav_transport.h"
#include "ui/questions.h"

namespace quillary {

bool AcceptCertificate(QWidget* parent, const QString& account, const DavStatus& failure)
{
    const auto answer = Questions::Ask(
        parent, QMessageBox::Warning, QStringLiteral("Synchronization"),
        QStringLiteral("The server of %1 shows a certificate this system does not trust:\n\n%2\n\nSHA-256 "
                       "fingerprint:\n%3\n\nAccept it for this account only if you know it is your server's.")
            .arg(account, QString::fromStdString(failure.message), QString::fromStdString(failure.fingerprint)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
        {{QMessageBox::Yes, QStringLiteral("&Accept Certificate")}, {QMessageBox::No, QStringLiteral("&Cancel")}});
    return answer == QMessageBox::Yes;
}

} // namespace quillary
