// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_entry_index.h"
#include "platform/qt_icon_store.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

namespace {

constexpr int FixedPictures = 14;
constexpr int NoIconPicture = 13;

QImage Rendered(const QIcon& icon, int size = 16)
{
    return icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

void WriteFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A bundled picture that is easy to tell apart, standing in for an application's own icon.
const char* const ProgramOwnIcon = ":/icons/bulb.svg";

} // namespace

class IconStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fixedPicturesAreDrawnAndDistinct();
    void appendedIconsTakeTheNextPositions();
    void replacingKeepsThePositionAndLeavesFixedPicturesAlone();
    void positionsThatDoNotExistGiveTheNoIconPicture();
    void programsTakeTheIconOfTheirApplicationEntry();
    void ambiguousOrHiddenEntriesGiveNoIcon();
    void everyToolbarGlyphIsDrawn();

private:
    QTemporaryDir m_files;
};

void IconStoreTest::initTestCase()
{
    // No desktop theme: the bundled pictures are what is checked.
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("quillary-test-no-theme"));
    QIcon::setFallbackThemeName(QStringLiteral("quillary-test-no-theme"));
    QIcon::setFallbackSearchPaths({});
    QVERIFY(m_files.isValid());
}

void IconStoreTest::fixedPicturesAreDrawnAndDistinct()
{
    const QtIconStore store;
    QCOMPARE(store.Count(), FixedPictures);
    QList<QImage> seen;
    for (int position = 0; position < FixedPictures; ++position) {
        const QImage small = Rendered(store.Icon(position));
        QVERIFY2(!small.isNull() && !Rendered(store.Icon(position), 32).isNull(),
                 qPrintable(QString::number(position)));
        QVERIFY2(!seen.contains(small), qPrintable(QString::number(position)));
        seen << small;
    }
    QVERIFY(!Rendered(store.DueMarker()).isNull());
}

void IconStoreTest::appendedIconsTakeTheNextPositions()
{
    QtIconStore store;
    QCOMPARE(store.AppendFileIcon(m_files.filePath("letter.txt").toStdString()), 14);
    QCOMPARE(store.AppendFileIcon("/nowhere/Übersicht.pdf"), 15);
    QCOMPARE(store.AppendFileIcon(""), 16);
    QCOMPARE(store.Count(), 17);
    for (int position = 14; position < 17; ++position)
        QVERIFY(!Rendered(store.Icon(position)).isNull());
}

void IconStoreTest::replacingKeepsThePositionAndLeavesFixedPicturesAlone()
{
    const QString program = m_files.filePath("run-me");
    WriteFile(program, "#!/bin/sh\nexit 0\n", true);
    const DesktopEntryIndex noEntries({});
    QtIconStore store(noEntries);
    const int position = store.AppendFileIcon(m_files.filePath("notes.txt").toStdString());
    QCOMPARE(Rendered(store.Icon(position)), Rendered(store.Icon(NoIconPicture)));

    store.ReplaceFileIcon(position, program.toStdString());
    QCOMPARE(store.Count(), position + 1);
    QVERIFY(Rendered(store.Icon(position)) != Rendered(store.Icon(NoIconPicture)));

    const QImage person = Rendered(store.Icon(3));
    store.ReplaceFileIcon(3, program.toStdString());
    store.ReplaceFileIcon(store.Count(), program.toStdString());
    store.ReplaceFileIcon(-1, program.toStdString());
    QCOMPARE(Rendered(store.Icon(3)), person);
    QCOMPARE(store.Count(), position + 1);
}

void IconStoreTest::positionsThatDoNotExistGiveTheNoIconPicture()
{
    const QtIconStore store;
    const QImage noIcon = Rendered(store.Icon(NoIconPicture));
    QCOMPARE(Rendered(store.Icon(-1)), noIcon);
    QCOMPARE(Rendered(store.Icon(store.Count())), noIcon);
    QCOMPARE(Rendered(store.Icon(100000)), noIcon);
}

void IconStoreTest::programsTakeTheIconOfTheirApplicationEntry()
{
    const QString program = m_files.filePath("frobnicate");
    WriteFile(program, "#!/bin/sh\nexit 0\n", true);
    QVERIFY(QDir(m_files.path()).mkpath("apps/sub"));
    const QString ownIcon = m_files.filePath("frob.svg");
    QVERIFY(QFile::copy(ProgramOwnIcon, ownIcon));
    WriteFile(m_files.filePath("apps/sub/frob.desktop"),
              "[Desktop Entry]\nType=Application\nName=Frob\n"
              "Exec=env LANG=C \"" +
                  program.toUtf8() + "\" --open %U\nIcon=" + ownIcon.toUtf8() + "\n[Desktop Action x]\nIcon=other\n");
    const DesktopEntryIndex entries({m_files.filePath("apps")});
    QCOMPARE(entries.IconFor(program), ownIcon);
    QCOMPARE(entries.IconFor("/elsewhere/frobnicate"), ownIcon);

    QtIconStore store(entries);
    const int position = store.AppendFileIcon(program.toStdString());
    QCOMPARE(Rendered(store.Icon(position)), Rendered(QIcon(ProgramOwnIcon)));
    const int entryPosition = store.AppendFileIcon(m_files.filePath("apps/sub/frob.desktop").toStdString());
    QCOMPARE(Rendered(store.Icon(entryPosition)), Rendered(QIcon(ProgramOwnIcon)));
}

void IconStoreTest::ambiguousOrHiddenEntriesGiveNoIcon()
{
    QVERIFY(QDir(m_files.path()).mkpath("shared"));
    QVERIFY(QDir(m_files.path()).mkpath("user"));
    WriteFile(m_files.filePath("shared/one.desktop"),
              "[Desktop Entry]\nType=Application\nExec=python3 one.py\nIcon=one\n");
    WriteFile(m_files.filePath("shared/two.desktop"),
              "[Desktop Entry]\nType=Application\nExec=python3 two.py\nIcon=two\n");
    WriteFile(m_files.filePath("shared/gone.desktop"), "[Desktop Entry]\nType=Application\nExec=gone\nIcon=gone\n");
    WriteFile(m_files.filePath("user/gone.desktop"), "[Desktop Entry]\nType=Application\nExec=gone\nHidden=true\n");
    WriteFile(m_files.filePath("shared/link.desktop"),
              "[Desktop Entry]\nType=Link\nURL=http://x\nExec=linky\nIcon=l\n");
    const DesktopEntryIndex entries({m_files.filePath("user"), m_files.filePath("shared")});
    QCOMPARE(entries.IconFor("/usr/bin/python3"), QString());
    QCOMPARE(entries.IconFor("/usr/bin/gone"), QString());
    QCOMPARE(entries.IconFor("/usr/bin/linky"), QString());
}

void IconStoreTest::everyToolbarGlyphIsDrawn()
{
    const QStringList names = QtIconStore::ToolbarIconNames();
    QCOMPARE(names.size(), 30);
    for (const QString& name : names)
        QVERIFY2(!Rendered(QtIconStore::ToolbarIcon(name), 24).isNull(), qPrintable(name));
    QVERIFY(Rendered(QtIconStore::ToolbarIcon("new-person")) != Rendered(QtIconStore::ToolbarIcon("new-team")));
    QVERIFY(QtIconStore::ToolbarIcon("no-such-glyph").isNull());
}

QTEST_MAIN(IconStoreTest)
#include "icon_store_test.moc"
