// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web_graphics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

namespace {

const QStringList Backgrounds = {"beads",  "chalk",     "cloud1",   "cloud2",   "cloud3", "cloud4", "concrete",
                                 "fire",   "floortile", "flower",   "foam",     "grid",   "lace",   "letters",
                                 "marble", "nova",      "sand",     "smear1",   "smear2", "soil",   "speckle",
                                 "stone",  "terrain1",  "terrain2", "terrain3", "vines",  "weave"};

QString IconPath(const QTemporaryDir& home, const QString& name)
{
    return home.filePath("Web Graphics/Icons/" + name);
}

QString BackgroundPath(const QTemporaryDir& home, const QString& name)
{
    return home.filePath("Web Graphics/Backgrounds/" + name);
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Average grey of a picture, 0 black to 1 white.
double Lightness(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    }
    return sum / (255.0 * image.width() * image.height());
}

// Whether this process may create files in a folder (root may, whatever the permissions say).
bool CanCreateIn(const QString& folder)
{
    QFile probe(QDir(folder).filePath("probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

} // namespace

class WebGraphicsTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartPlacesEveryPicture();
    void iconsHaveTheSizesThePagesGive_data();
    void iconsHaveTheSizesThePagesGive();
    void everyBackgroundHasAPaleTileAndAPreview();
    void laterStartsKeepTheUsersPictures();
    void aBlockedFolderIsReportedAndTheRestIsPlaced();
    void aReadOnlyWorkingDirectoryDoesNotStopTheStart();
};

void WebGraphicsTest::firstStartPlacesEveryPicture()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCOMPARE(InstallWebGraphics(home.path()), QString());

    const QStringList icons = QDir(home.filePath("Web Graphics/Icons")).entryList(QDir::Files, QDir::Name);
    QCOMPARE(icons, QStringList({"folder.gif", "kpx_16.gif", "org.gif", "person.gif", "team.gif", "vcard.gif",
                                 "web.gif", "zelkbtn.gif"}));
    QStringList expected;
    for (const QString& name : Backgrounds)
        expected << name + ".bmp" << name + ".gif";
    expected.sort();
    QCOMPARE(QDir(home.filePath("Web Graphics/Backgrounds")).entryList(QDir::Files, QDir::Name), expected);

    // Copies of resources would be read-only; the user must be able to edit or replace them.
    const QFileInfo copy(IconPath(home, "person.gif"));
    QVERIFY(copy.permission(QFileDevice::WriteOwner));
    QVERIFY(copy.permission(QFileDevice::ReadOwner));
}

void WebGraphicsTest::iconsHaveTheSizesThePagesGive_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("folder") << "folder.gif" << QSize(15, 13);
    QTest::newRow("button") << "zelkbtn.gif" << QSize(120, 40);
    for (const char* name : {"org.gif", "person.gif", "team.gif", "web.gif", "kpx_16.gif", "vcard.gif"})
        QTest::newRow(name) << name << QSize(16, 16);
}

void WebGraphicsTest::iconsHaveTheSizesThePagesGive()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCOMPARE(InstallWebGraphics(home.path()), QString());
    const QImage icon(IconPath(home, name));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), size);
}

void WebGraphicsTest::everyBackgroundHasAPaleTileAndAPreview()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCOMPARE(InstallWebGraphics(home.path()), QString());
    for (const QString& name : Backgrounds) {
        const QImage tile(BackgroundPath(home, name + ".gif"));
        QVERIFY2(!tile.isNull(), qPrintable(name));
        // Pages print black text on the tile.
        QVERIFY2(Lightness(tile) > 0.85, qPrintable(name));
        // The wizard draws the preview into a picture of 137 by 129.
        const QImage preview(BackgroundPath(home, name + ".bmp"));
        QVERIFY2(!preview.isNull(), qPrintable(name));
        QCOMPARE(preview.size(), QSize(137, 129));
    }
}

void WebGraphicsTest::laterStartsKeepTheUsersPictures()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QCOMPARE(InstallWebGraphics(home.path()), QString());
    const QByteArray shippedMarble = Contents(BackgroundPath(home, "marble.bmp"));
    QVERIFY(WriteFile(IconPath(home, "folder.gif"), "the user's own folder picture"));
    QVERIFY(QFile::remove(BackgroundPath(home, "marble.bmp")));
    QVERIFY(QFile::remove(IconPath(home, "web.gif")));
    QVERIFY(QFile::link(home.filePath("nowhere.gif"), IconPath(home, "web.gif")));

    QCOMPARE(InstallWebGraphics(home.path()), QString());
    QCOMPARE(Contents(IconPath(home, "folder.gif")), QByteArray("the user's own folder picture"));
    QCOMPARE(Contents(BackgroundPath(home, "marble.bmp")), shippedMarble);
    QVERIFY(QFileInfo(IconPath(home, "web.gif")).isSymLink());
    QVERIFY(!QFileInfo::exists(home.filePath("nowhere.gif")));
}

void WebGraphicsTest::aBlockedFolderIsReportedAndTheRestIsPlaced()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkpath("Web Graphics"));
    QVERIFY(WriteFile(home.filePath("Web Graphics/Backgrounds"), "a file where the folder belongs"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Web Graphics: cannot create the folder .*Backgrounds"));
    const QString problem = InstallWebGraphics(home.path());
    QVERIFY(problem.contains("Backgrounds"));
    QVERIFY(QFileInfo::exists(IconPath(home, "zelkbtn.gif")));
    QCOMPARE(Contents(home.filePath("Web Graphics/Backgrounds")), QByteArray("a file where the folder belongs"));

    QTemporaryDir blocked;
    QVERIFY(blocked.isValid());
    QVERIFY(WriteFile(blocked.filePath("Web Graphics"), "not a folder"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Web Graphics: cannot create the folder "));
    QVERIFY(!InstallWebGraphics(blocked.path()).isEmpty());
}

void WebGraphicsTest::aReadOnlyWorkingDirectoryDoesNotStopTheStart()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    // Root writes into read-only folders; then the pictures must simply be placed.
    const bool writable = CanCreateIn(home.path());
    if (!writable)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Web Graphics: "));
    const QString problem = InstallWebGraphics(home.path());
    QVERIFY(
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QCOMPARE(problem.isEmpty(), writable);
    QCOMPARE(QFileInfo::exists(IconPath(home, "folder.gif")), writable);
}

QTEST_MAIN(WebGraphicsTest)
#include "web_graphics_test.moc"
