// SPDX-License-Identifier: GPL-3.0-or-later
// Where passwords come from: an environment variable the caller names, or the keyring. No Secret
// Service can be started privately on the machines this runs on, so the keyring is tested where
// there is none: ctest runs this program on a session bus of its own without one, and again with
// no session bus at all.
#include "platform/dav_keyring.h"

#include <QTest>

#include <cstdlib>

using namespace quillary;

class DavPasswordsTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheNamedVariable();
    void saysThereIsNoKeyring();
};

void DavPasswordsTest::readsTheNamedVariable()
{
    ::setenv("QUILLARY_TEST_DAV_PASSWORD", "p@ss word=1", 1);
    PasswordResult result = PasswordFromEnvironment("QUILLARY_TEST_DAV_PASSWORD");
    QVERIFY(result.Found());
    QCOMPARE(result.password, std::string("p@ss word=1"));

    ::setenv("QUILLARY_TEST_EMPTY_PASSWORD", "", 1);
    result = PasswordFromEnvironment("QUILLARY_TEST_EMPTY_PASSWORD");
    QVERIFY(result.Found());
    QVERIFY(result.password.empty());

    for (const std::string name : {"QUILLARY_TEST_UNSET_PASSWORD", "", "A=B"}) {
        result = PasswordFromEnvironment(name);
        QCOMPARE(result.outcome, PasswordOutcome::NotFound);
        QVERIFY(result.password.empty());
        QVERIFY(result.message.find("\"" + name + "\"") != std::string::npos);
    }
}

void DavPasswordsTest::saysThereIsNoKeyring()
{
    const std::string url = "https://dav.example.org/alice/";
    const PasswordResult written = DavKeyring::Write(url, "alice", "secret-in-no-file");
    const PasswordResult read = DavKeyring::Read(url, "alice");
    const PasswordResult deleted = DavKeyring::Delete(url, "alice");
    for (const PasswordResult& result : {written, read, deleted}) {
        QCOMPARE(result.outcome, PasswordOutcome::NoKeyring);
        QVERIFY(result.password.empty());
        QVERIFY(result.message.find("secret-in-no-file") == std::string::npos);
    }
}

QTEST_GUILESS_MAIN(DavPasswordsTest)
#include "dav_passwords_test.moc"
