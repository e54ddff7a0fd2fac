// SPDX-License-Identifier: GPL-3.0-or-later
// A certificate authority of a test's own, made with openssl, and certificates it signs for
// loopback addresses: TLS as a real server has it, trusted because the test says so.
#pragma once

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QStringList>
#include <QTemporaryDir>

class TestAuthority
{
public:
    struct Issued
    {
        QSslCertificate certificate;
        QSslKey key;
    };

    // Makes the authority; false (with Log() saying why) when openssl fails.
    bool Make()
    {
        return Run({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                    Path("ca.key"), "-out", Path("ca.pem"), "-days", "2", "-subj", "/CN=Quillary Test CA", "-addext",
                    "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign"});
    }

    // A certificate for the IP address, signed by the authority.
    Issued For(const QString& address)
    {
        const QString name = address + QStringLiteral(".");
        QFile extensions(Path(name + QStringLiteral("ext")));
        Issued issued;
        if (!extensions.open(QIODevice::WriteOnly))
            return issued;
        extensions.write("subjectAltName=IP:" + address.toLatin1() + "\n");
        extensions.close();
        if (!Run({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                  Path(name + QStringLiteral("key")), "-out", Path(name + QStringLiteral("csr")), "-subj",
                  QStringLiteral("/CN=") + address}) ||
            !Run({"x509", "-req", "-in", Path(name + QStringLiteral("csr")), "-CA", Path("ca.pem"), "-CAkey",
                  Path("ca.key"), "-CAcreateserial", "-days", "2", "-out", Path(name + QStringLiteral("pem")),
                  "-extfile", extensions.fileName()}))
            return issued;
        issued.certificate = Read<QSslCertificate>(name + QStringLiteral("pem"));
        issued.key = ReadKey(name + QStringLiteral("key"));
        return issued;
    }

    // Every TLS connection of this process trusts the authority from now on.
    void TrustInThisProcess()
    {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.addCaCertificate(Read<QSslCertificate>(QStringLiteral("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(configuration);
    }

    QString Path(const QString& name) const { return m_folder.filePath(name); }
    const QString& Log() const { return m_log; }

private:
    bool Run(const QStringList& arguments)
    {
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(QStringLiteral("openssl"), arguments);
        const bool done = openssl.waitForFinished(60000) && openssl.exitCode() == 0;
        m_log += QString::fromLocal8Bit(openssl.readAll());
        return done;
    }
    template <typename T> T Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? T(file.readAll()) : T();
    }
    QSslKey ReadKey(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? QSslKey(file.readAll(), QSsl::Ec) : QSslKey();
    }

    QTemporaryDir m_folder;
    QString m_log;
};
