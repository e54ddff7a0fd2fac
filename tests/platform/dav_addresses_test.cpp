// SPDX-License-Identifier: GPL-3.0-or-later
// Which addresses requests and redirects may go to, and the one form hrefs are kept in.
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
    void keepsHrefsInOneForm_data();
    void keepsHrefsInOneForm();
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

void DavAddressesTest::keepsHrefsInOneForm_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("plain") << "/dav/book/a.vcf"
                           << "/dav/book/a.vcf";
    QTest::newRow("encoded at sign") << "/dav/book/a%40b.vcf"
                                     << "/dav/book/a@b.vcf";
    QTest::newRow("encoded letters") << "/dav/%62ook/a.vcf"
                                     << "/dav/book/a.vcf";
    QTest::newRow("lower-case escapes") << "/dav/book/%c3%a9.vcf"
                                        << "/dav/book/%C3%A9.vcf";
    QTest::newRow("raw space") << "/dav/book/a b.vcf"
                               << "/dav/book/a%20b.vcf";
    QTest::newRow("raw non-ASCII") << "/dav/book/é.vcf"
                                   << "/dav/book/%C3%A9.vcf";
    QTest::newRow("slash inside a segment") << "/dav/book/a%2Fb.vcf"
                                            << "/dav/book/a%2Fb.vcf";
    QTest::newRow("percent itself") << "/dav/book/100%25.vcf"
                                    << "/dav/book/100%25.vcf";
    QTest::newRow("absolute URL") << "https://dav.example.org/dav/book/a%40b.vcf"
                                  << "/dav/book/a@b.vcf";
    QTest::newRow("relative") << "c.vcf"
                              << "/dav/book/c.vcf";
    QTest::newRow("collection") << "/dav/book/"
                                << "/dav/book/";
    QTest::newRow("dot segments") << "/dav/book/../book/./d.vcf"
                                  << "/dav/book/d.vcf";
}

void DavAddressesTest::keepsHrefsInOneForm()
{
    QFETCH(QString, href);
    QFETCH(QString, canonical);
    const QUrl base(QStringLiteral("https://dav.example.org/dav/book/"));
    QCOMPARE(CanonicalHref(href, base), canonical);
    // Read back from the form it is kept in, it stays; as a request it goes to that path.
    QCOMPARE(CanonicalHref(canonical, base), canonical);
    QCOMPARE(HrefUrl(href, base).path(QUrl::FullyEncoded), canonical);
    QCOMPARE(HrefUrl(href, base).host(), QStringLiteral("dav.example.org"));
}

QTEST_GUILESS_MAIN(DavAddressesTest)
#include "dav_addresses_test.moc"
