// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dav_keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace quillary {

namespace {

const QString Service = QStringLiteral("Quillary");

// The keyring services qtkeychain speaks to on Linux, by their bus names.
const QStringList KeyringServices = {QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd6"),
                                     QStringLiteral("org.kde.kwalletd5"), QStringLiteral("org.kde.kwalletd")};

// qtkeychain tells a missing keyring only as "Unknown error"; the session bus tells it plainly.
bool KeyringOnBus()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names == nullptr)
        return false;
    const QStringList activatable = names->activatableServiceNames();
    for (const QString& service : KeyringServices)
        if (names->isServiceRegistered(service) || activatable.contains(service))
            return true;
    return false;
}

PasswordResult Run(QKeychain::Job& job, const std::string& key)
{
    if (!KeyringOnBus())
        return {PasswordOutcome::NoKeyring, {}, "No keyring (Secret Service) runs on this desktop's session bus."};
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(QString::fromStdString(key));
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const std::string reason = job.errorString().toStdString();
    switch (job.error()) {
    case QKeychain::NoError:
        return {PasswordOutcome::Found, {}, {}};
    case QKeychain::EntryNotFound:
        return {PasswordOutcome::NotFound, {}, "The keyring holds no password for " + key + "."};
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return {PasswordOutcome::NoKeyring, {}, "No keyring (Secret Service) is available: " + reason};
    default:
        return {PasswordOutcome::Failed, {}, "The keyring failed for " + key + ": " + reason};
    }
}

} // namespace

std::string DavKeyring::Key(const std::string& accountUrl, const std::string& user)
{
    return user + "@" + accountUrl;
}

PasswordResult DavKeyring::Read(const std::string& accountUrl, const std::string& user)
{
    QKeychain::ReadPasswordJob job(Service);
    PasswordResult result = Run(job, Key(accountUrl, user));
    if (result.Found())
        result.password = job.textData().toStdString();
    return result;
}

PasswordResult DavKeyring::Write(const std::string& accountUrl, const std::string& user, const std::string& password)
{
    QKeychain::WritePasswordJob job(Service);
    job.setTextData(QString::fromStdString(password));
    return Run(job, Key(accountUrl, user));
}

PasswordResult DavKeyring::Delete(const std::string& accountUrl, const std::string& user)
{
    QKeychain::DeletePasswordJob job(Service);
    return Run(job, Key(accountUrl, user));
}

} // namespace quillary
