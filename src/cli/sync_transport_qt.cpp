// SPDX-License-Identifier: GPL-3.0-or-later
// The CardDAV conversation over Qt Network, for builds with Qt.
#include "sync_transport.h"

#include "platform/dav_keyring.h"
#include "platform/dav_qt_transport.h"

#include <QCoreApplication>

namespace quillary::cli {

namespace {

// Qt's network and D-Bus need an application object; only the sync command makes one, so the
// other commands start no Qt at all.
class QtSyncConnection final : public SyncConnection
{
public:
    QtSyncConnection()
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }

    bool Open(const std::string& url, const SyncCredentials& credentials, std::string& problem)
    {
        DavCredentials login{credentials.user, credentials.password.value_or(std::string())};
        if (!credentials.user.empty() && !credentials.password && !PasswordFromKeyring(url, login, problem))
            return false;
        m_transport.emplace(std::move(login), SyncConnectionOptions());
        return true;
    }

    DavTransport& Transport() override { return *m_transport; }

private:
    static bool PasswordFromKeyring(const std::string& url, DavCredentials& login, std::string& problem)
    {
        PasswordResult found = DavKeyring::Read(url, login.user);
        if (found.Found()) {
            login.password = std::move(found.password);
            return true;
        }
        const std::string advice = ": put the password in an environment variable and name it with --password-env";
        switch (found.outcome) {
        case PasswordOutcome::NoKeyring:
            problem = "no password for " + login.user + " at " + url + ": no keyring answers on this desktop" + advice;
            break;
        case PasswordOutcome::NotFound:
            problem = "the keyring holds no password for " + login.user + " at " + url + advice;
            break;
        default:
            problem = "no password for " + login.user + " at " + url + ": " + found.message + advice;
            break;
        }
        return false;
    }

    int m_argc = 1;
    char m_name[13] = "quillary-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application; // made before the transport, gone after it
    std::optional<QtDavTransport> m_transport;
};

} // namespace

std::unique_ptr<SyncConnection> ConnectForSync(const std::string& url, const SyncCredentials& credentials,
                                               std::string& problem)
{
    auto connection = std::make_unique<QtSyncConnection>();
    if (!connection->Open(url, credentials, problem))
        return nullptr;
    return connection;
}

} // namespace quillary::cli
