// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_questions.h"

#include "dav/dav_transport.h"
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

bool AcceptNewAddress(QWidget* parent, const QString& account, const DavStatus& failure)
{
    const auto answer = Questions::Ask(
        parent, QMessageBox::Question, QStringLiteral("Synchronization"),
        QStringLiteral("The server of %1 sends its address book to another server:\n\n%2\n\nYour password goes "
                       "only to the address you typed. Take the new address only if you know it is your "
                       "provider's.")
            .arg(account, QString::fromStdString(failure.movedTo)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
        {{QMessageBox::Yes, QStringLiteral("&Use New Address")}, {QMessageBox::No, QStringLiteral("&Cancel")}});
    return answer == QMessageBox::Yes;
}

} // namespace quillary
