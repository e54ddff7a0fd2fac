// SPDX-License-Identifier: GPL-3.0-or-later
// Which addresses requests and redirects may go to, and where hrefs are sent.
#include "platform/dav_href.h"
#include "platform/dav_url_policy.h"

#include <QTest>

using namespace quillary;

class DavAddressesTest : public QObject
{
    Q_OBJECT

private slots:
    void keepsPlainHttpOnThisMachine_data();
    void keepsPlainHttpOnThisMachine();
    void followsOnlyRedirectsThatKeepTheProtection();
    void sendsHrefsToTheirCanonicalPath_data();
    void sendsHrefsToTheirCanonicalPath();
    void tellsOriginsApart();
};

void DavAddressesTest::keepsPlainHttpOnThisMachine_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<bool>("allowedWhenInsecureIsAllowed");
    QTest::newRow("https anywhere") << "https://dav.example.org/" << true << true;
    QTest::newRow("localhost") << "http://localhost:5232/" << true << true;
    QTest::newRow("localhost any case, root dot") << "http://LocalHost.:5232/" << true << true;
    QTest::newRow("127.0.0.1") << "http://127.0.0.1/" << true << true;
    QTest::newRow("127.8.9.10") << "http://127.8.9.10/" << true << true;
    QTest::newRow("::1") << "http://[::1]:8080/" << true << true;
    QTest::newRow("mapped loopback") << "http://[::ffff:127.0.0.1]/" << true << true;
    QTest::newRow("TEST-NET") << "http://192.0.2.1/" << false << true;
    QTest::newRow("128.0.0.1") << "http://128.0.0.1/" << false << true;
    QTest::newRow("name ending in localhost") << "http://localhost.example.org/" << false << true;
    QTest::newRow("name starting with 127") << "http://127.0.0.1.example.org/" << false << true;
    QTest::newRow("ftp") << "ftp://127.0.0.1/" << false << false;
    QTest::newRow("file") << "file:///etc/passwd" << false << false;
    QTest::newRow("no host") << "http:///dav/" << false << false;
}

void DavAddressesTest::keepsPlainHttpOnThisMachine()
{
    QFETCH(QString, url);
    QFETCH(bool, allowed);
    QFETCH(bool, allowedWhenInsecureIsAllowed);
    QCOMPARE(RequestAllowed(QUrl(url), false), allowed);
    QCOMPARE(RequestAllowed(QUrl(url), true), allowedWhenInsecureIsAllowed);
}

void DavAddressesTest::followsOnlyRedirectsThatKeepTheProtection()
{
    const QUrl secure(QStringLiteral("https://dav.example.org/.well-known/carddav"));
    const QUrl local(QStringLiteral("http://127.0.0.1:5232/.well-known/carddav"));
    QVERIFY(RedirectAllowed(secure, QUrl(QStringLiteral("https://other.example.net/dav/")), false));
    QVERIFY(!RedirectAllowed(secure, QUrl(QStringLiteral("http://dav.example.org/dav/")), false));
    QVERIFY(!RedirectAllowed(secure, QUrl(QStringLiteral("http://dav.example.org/dav/")), true));
    QVERIFY(!RedirectAllowed(secure, QUrl(QStringLiteral("http://127.0.0.1/dav/")), false));
    QVERIFY(RedirectAllowed(local, QUrl(QStringLiteral("http://127.0.0.1:5232/dav/")), false));
    QVERIFY(RedirectAllowed(local, QUrl(QStringLiteral("https://dav.example.org/dav/")), false));
    QVERIFY(!RedirectAllowed(local, QUrl(QStringLiteral("http://localhost:5232/dav/")), false));
    QVERIFY(!RedirectAllowed(local, QUrl(QStringLiteral("http://192.0.2.1/dav/")), true));
    QVERIFY(!RedirectAllowed(local, QUrl(QStringLiteral("file:///etc/passwd")), true));
}

void DavAddressesTest::sendsHrefsToTheirCanonicalPath_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("url");
    QTest::newRow("encoded at sign") << "/dav/book/a%40b.vcf"
                                     << "https://dav.example.org/dav/book/a@b.vcf";
    QTest::newRow("raw space") << "/dav/book/a b.vcf"
                               << "https://dav.example.org/dav/book/a%20b.vcf";
    QTest::newRow("relative, dot segments") << "../book/./c.vcf"
                                            << "https://dav.example.org/dav/book/c.vcf";
    QTest::newRow("absolute URL keeps its server") << "https://other.example/x.vcf"
                                                   << "https://other.example/x.vcf";
    QTest::newRow("scheme without slashes") << "https:2/x/b%40c.vcf" << QString();
}

void DavAddressesTest::sendsHrefsToTheirCanonicalPath()
{
    QFETCH(QString, href);
    QFETCH(QString, url);
    const QUrl base(QStringLiteral("https://dav.example.org/dav/book/"));
    const QUrl sent = HrefUrl(href, base);
    QCOMPARE(sent.isValid() ? sent.toString(QUrl::FullyEncoded) : QString(), url);
}

void DavAddressesTest::tellsOriginsApart()
{
    QCOMPARE(UrlOrigin(QUrl(QStringLiteral("https://Dav.Example.org/a/"))), QStringLiteral("https://dav.example.org:443"));
    QCOMPARE(UrlOrigin(QUrl(QStringLiteral("https://dav.example.org:443/b"))),
             UrlOrigin(QUrl(QStringLiteral("https://dav.example.org/"))));
    QVERIFY(UrlOrigin(QUrl(QStringLiteral("http://dav.example.org/"))) !=
            UrlOrigin(QUrl(QStringLiteral("https://dav.example.org/"))));
    QVERIFY(UrlOrigin(QUrl(QStringLiteral("https://127.0.0.1:8443/"))) !=
            UrlOrigin(QUrl(QStringLiteral("https://127.0.0.2:8443/"))));
}

QTEST_GUILESS_MAIN(DavAddressesTest)
#include "dav_addresses_test.moc"
