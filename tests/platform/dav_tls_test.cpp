// SPDX-License-Identifier: GPL-3.0-or-later
// TLS: a self-signed certificate made here with openssl, served by a scripted server. The system's
// store does not trust it: the request fails naming its SHA-256 fingerprint, and passes once that
// fingerprint is accepted on that transport alone.
#include "platform/dav_qt_transport.h"
#include "support/dav_cards.h"
#include "support/scripted_http_server.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

class DavTlsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesAnUntrustedCertificateNamingIt();
    void passesTheCertificateTheUserAccepted();
    void neverFollowsHttpsDownToHttp();

private:
    DavAddressBook Book() const { return {m_server.Url(QStringLiteral("/dav/book/")).toStdString(), "", false, true}; }

    QTemporaryDir m_folder;
    ScriptedHttpServer m_server{[this](const ScriptedRequest& request) { return Answer(request); }};
    ScriptedHttpServer m_plain{[](const ScriptedRequest&) { return ScriptedReply(207, Multistatus({})); }};
    std::string m_fingerprint;

    ScriptedReply Answer(const ScriptedRequest& request) const
    {
        if (request.target == "/moved/")
            return {301, {}, {{"Location", m_plain.Url(QStringLiteral("/dav/book/")).toLatin1()}}};
        return {207,
                Multistatus("<d:response><d:href>/dav/book/a.vcf</d:href><d:propstat><d:prop><d:getetag>\"1\""
                            "</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>")};
    }
};

void DavTlsTest::initTestCase()
{
    const QString key = m_folder.filePath(QStringLiteral("key.pem"));
    const QString certificate = m_folder.filePath(QStringLiteral("certificate.pem"));
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"), key,
                   QStringLiteral("-out"), certificate, QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1")});
    QVERIFY2(openssl.waitForFinished(60000) && openssl.exitCode() == 0, openssl.readAll().constData());
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("x509"), QStringLiteral("-in"), certificate, QStringLiteral("-noout"),
                   QStringLiteral("-fingerprint"), QStringLiteral("-sha256")});
    QVERIFY(openssl.waitForFinished(60000) && openssl.exitCode() == 0);
    // "sha256 Fingerprint=AB:CD:..."
    m_fingerprint = openssl.readAll().trimmed().split('=').last().toUpper().toStdString();
    QCOMPARE(m_fingerprint.size(), size_t(32 * 3 - 1));

    QFile keyFile(key);
    QFile certificateFile(certificate);
    QVERIFY(keyFile.open(QIODevice::ReadOnly) && certificateFile.open(QIODevice::ReadOnly));
    m_server.UseTls(QSslCertificate(certificateFile.readAll()), QSslKey(keyFile.readAll(), QSsl::Rsa));
}

void DavTlsTest::refusesAnUntrustedCertificateNamingIt()
{
    QtDavTransport transport(DavCredentials{"alice", "secret"});
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = transport.ListCards(Book(), cards, token);
    QCOMPARE(status.failure, DavFailure::Certificate);
    QCOMPARE(status.fingerprint, m_fingerprint);
    QVERIFY2(Text(status).startsWith(QString::fromStdString(Book().url) + QStringLiteral(": ")),
             qPrintable(Text(status)));
    QVERIFY(Text(status).contains(QString::fromStdString(m_fingerprint)));
    QVERIFY(m_server.requests.isEmpty());

    // Another certificate's fingerprint lets nothing through.
    transport.AcceptFingerprint(
        std::string(m_fingerprint).replace(0, 2, m_fingerprint.starts_with("00") ? "11" : "00"));
    QCOMPARE(transport.ListCards(Book(), cards, token).failure, DavFailure::Certificate);
    QVERIFY(m_server.requests.isEmpty());
}

void DavTlsTest::passesTheCertificateTheUserAccepted()
{
    QtDavTransport trusting(DavCredentials{"alice", "secret"});
    trusting.AcceptFingerprint(m_fingerprint);
    std::vector<DavResource> cards;
    std::string token;
    const DavStatus status = trusting.ListCards(Book(), cards, token);
    QVERIFY2(status.Ok(), qPrintable(Text(status)));
    QCOMPARE(cards.size(), size_t(1));
    QCOMPARE(m_server.requests.size(), 1);

    // The choice belongs to that transport alone.
    QtDavTransport other(DavCredentials{"alice", "secret"});
    QCOMPARE(other.ListCards(Book(), cards, token).failure, DavFailure::Certificate);
}

void DavTlsTest::neverFollowsHttpsDownToHttp()
{
    QtDavTransport trusting(DavCredentials{"alice", "secret"});
    trusting.AcceptFingerprint(m_fingerprint);
    std::vector<DavResource> cards;
    std::string token;
    const DavAddressBook moved{m_server.Url(QStringLiteral("/moved/")).toStdString(), "", false, true};
    const DavStatus status = trusting.ListCards(moved, cards, token);
    // Plain http to this machine is allowed, but not as the continuation of a TLS conversation.
    QCOMPARE(status.failure, DavFailure::Insecure);
    QVERIFY(m_plain.requests.isEmpty() && m_plain.connections == 0);
}

QTEST_GUILESS_MAIN(DavTlsTest)
#include "dav_tls_test.moc"
