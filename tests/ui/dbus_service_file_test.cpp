// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_service_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

class DBusServiceFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writesRefreshesAndRemovesTheActivationFile()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        const QString path = dir.filePath(QStringLiteral("dbus-1/services/Zelk.Application.service"));
        QCOMPARE(DBusServiceFilePath(), path);

        QVERIFY(WriteDBusServiceFile(QStringLiteral("/opt/old/quillary")));
        QVERIFY(WriteDBusServiceFile(QStringLiteral("/home/me/My Programs/quillary")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[D-BUS Service]\nName=Zelk.Application\n"
                                            "Exec=\"/home/me/My Programs/quillary\" AUTOMATION\n"));
        file.close();

        QVERIFY(!WriteDBusServiceFile(QString())); // an unknown program path leaves the file as it is
        QVERIFY(!WriteDBusServiceFile(QStringLiteral("quillary")));
        QVERIFY(QFileInfo::exists(path));

        QVERIFY(RemoveDBusServiceFile());
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(RemoveDBusServiceFile()); // nothing to remove is no failure
    }

    void aRelativeDataHomeIsIgnored()
    {
        qputenv("XDG_DATA_HOME", "relative/dir");
        QVERIFY(DBusServiceFilePath().startsWith(QDir::homePath() + QStringLiteral("/.local/share/dbus-1/services/")));
    }

    void theOwnProgramPathIsAbsolute()
    {
        const QString own = OwnProgramPath();
        QVERIFY(QFileInfo(own).isAbsolute());
        QCOMPARE(QFileInfo(own).fileName(), QStringLiteral("ui_dbus_service_file_test"));
    }
};

QTEST_MAIN(DBusServiceFileTest)
#include "dbus_service_file_test.moc"
