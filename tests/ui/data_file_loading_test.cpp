// SPDX-License-Identifier: GPL-3.0-or-later
// A data file too large to read before the window shows: the window paints while it is read in
// slices, nothing writes the file meanwhile, and the tree at the end is the one a plain read gives.
#include "desktop_window.h"

#include "model/data_file.h"
#include "model/data_file_read.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "shell/profile_file.h"
#include "shell/recovery_copy.h"
#include "ui/shell/data_file_loading.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/main_form.h"
#include "ui/shell/recovery_keeper.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace quillary;

namespace {

// Folders of persons, each with an address and a phone: several megabytes, every identifier set,
// so two reads of it give the same tree.
QByteArray GeneratedData(int folders, int personsPerFolder)
{
    QByteArray text = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n";
    int id = 100;
    for (int f = 0; f < folders; ++f) {
        text += "{1 0 }Folder " + QByteArray::number(f) + "~~~~~~" + QByteArray::number(++id) + "\r\n{Fold}0\r\n";
        for (int p = 0; p < personsPerFolder; ++p) {
            const QByteArray n = QByteArray::number(p);
            text += "{2 3 }Person " + n + "~~Mr. Sam Person " + n + "~~met at the fair~~" + QByteArray::number(++id) +
                    "\r\n{Pers}Mr.~~Sam~~~~Person " + n + "~~Home~~Work~~~~~~~~3\r\n";
            text += "{3 5 }Home~~1 High Street~~~~" + QByteArray::number(++id) +
                    "\r\n{Addr}1 High Street~~~~~~Springfield~~~~12345~~~~0\r\n";
            text += "{3 6 }Work~~555 0100 " + n + "~~~~" + QByteArray::number(++id) + "\r\n{Phon}12~~0\r\n";
        }
    }
    return text;
}

std::string Saved(const ItemTree& tree)
{
    std::ostringstream out;
    WriteDataStream(tree, out);
    return out.str();
}

// Remembers whether any widget of a window painted while its data file was still being read.
class PaintWhileLoading final : public QObject
{
public:
    explicit PaintWhileLoading(TMainForm& form) : m_form(form)
    {
        form.installEventFilter(this);
        for (QWidget* child : form.findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_form.IsLoading())
            painted = true;
        return false;
    }
    bool painted = false;

private:
    TMainForm& m_form;
};

QAction* ActionNamed(TMainForm& form, const QString& text)
{
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class DataFileLoadingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("zelk.dat"));
        m_bytes = GeneratedData(20, 1200);
        QVERIFY(static_cast<std::uint64_t>(m_bytes.size()) > DataFileLoading::AtOnceSize);
        m_settings = std::make_unique<TProfileFile>(m_dir.filePath(QStringLiteral("kpx.ini")).toStdString());
    }

    void init()
    {
        QFile file(m_data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(m_bytes), m_bytes.size());
    }

    void theWindowPaintsWhileTheFileIsReadAndEndsWithThePlainTree()
    {
        DesktopWindow form(*m_settings, m_data);
        QVERIFY(form.IsLoading());
        form.Loading().SetSliceTime(std::chrono::milliseconds(1));
        PaintWhileLoading paints(form);
        QSignalSpy progress(&form.Loading(), &DataFileLoading::Progress);
        QSignalSpy finished(&form, &TMainForm::LoadFinished);
        form.show();
        QVERIFY(form.findChild<QProgressBar*>(QStringLiteral("LoadProgress")));
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("Reading zelk.dat")));
        QAction* save = ActionNamed(form, QStringLiteral("&Save"));
        QVERIFY(save && !save->isEnabled());
        QVERIFY(!form.SynchronizeAction()->isEnabled());
        QVERIFY(!form.FoldersView().isEnabled());
        QVERIFY(ActionNamed(form, QStringLiteral("E&xit"))->isEnabled());
        for (const QAction* menu : form.menuBar()->actions())
            QVERIFY(menu->isEnabled());
        const QList<QAction*> actions = form.findChildren<QAction*>();
        const auto tools = std::ranges::find_if(
            actions, [](const QAction* action) { return action->toolTip() == QStringLiteral("Tools Menu"); });
        QVERIFY(tools != actions.end() && !(*tools)->isEnabled()); // its dialog makes tool items

        QVERIFY(finished.wait(120000));
        QVERIFY(paints.painted);
        QVERIFY2(form.Loading().SliceCount() > 3, qPrintable(QString::number(form.Loading().SliceCount())));
        QCOMPARE(progress.count(), form.Loading().SliceCount());
        QCOMPARE(progress.last().at(0).toLongLong(), m_bytes.size());
        QCOMPARE(form.LoadResult().state, DataFileState::Loaded);

        // Afterwards the window is the usual one over the whole tree.
        QVERIFY(!form.findChild<QProgressBar*>(QStringLiteral("LoadProgress")));
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillary"));
        QVERIFY(save->isEnabled() && form.SynchronizeAction()->isEnabled() && form.FoldersView().isEnabled());
        QCOMPARE(form.SelectedNode(), &form.Tree().Root());
        QCOMPARE(form.TreeModel().rowCount(form.TreeModel().IndexOf(&form.Tree().Root())), 20);
        QVERIFY(form.FoldersView().isExpanded(form.TreeModel().IndexOf(&form.Tree().Root())));
        QVERIFY(!form.Tree().HasUnsavedChanges());
        ItemTree plain;
        QCOMPARE(LoadWholeDataFile(plain.Root(), m_data.toStdString()).state, DataFileState::Loaded);
        const std::string sliced = Saved(form.Tree());
        QVERIFY(sliced == Saved(plain));
        QVERIFY(sliced == m_bytes.toStdString());
    }

    void savingOrClosingWhileTheFileIsReadLeavesItAsItWas()
    {
        auto form = std::make_unique<DesktopWindow>(*m_settings, m_data);
        form->Loading().SetSliceTime(std::chrono::milliseconds(1));
        RecoveryKeeper keeper(
            form->Tree(), form->Session(),
            {std::chrono::milliseconds(1), std::chrono::milliseconds(1), std::chrono::milliseconds(1)});
        QSignalSpy progress(&form->Loading(), &DataFileLoading::Progress);
        form->show();
        // The recovery keeper looks at the growing tree between slices, several times; counted in
        // slices, not in time, which a quicker read would outrun.
        for (int slice = 0; slice < 4; ++slice)
            QVERIFY(progress.wait());
        QVERIFY(form->IsLoading());
        QVERIFY(form->Tree().HasUnsavedChanges());

        form->Save1Click();
        QVERIFY(form->SaveOnExit()); // the orderly end, as after Exit or a signal
        QSignalSpy ended(form.get(), &TMainForm::ExitRequested);
        form->close();
        QCOMPARE(ended.count(), 1); // closing ends the program instead of going to the tray
        QVERIFY(form->IsLoading());
        form.reset(); // the program ends in the middle of the read

        QFile file(m_data);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == m_bytes);
        QVERIFY(!std::filesystem::exists(RecoveryFileOf(m_data.toStdString())));
        QVERIFY(!std::filesystem::exists(FallbackRecoveryFileOf(m_data.toStdString())));
    }

private:
    QTemporaryDir m_dir;
    QString m_data;
    QByteArray m_bytes;
    std::unique_ptr<TProfileFile> m_settings;
};

QTEST_MAIN(DataFileLoadingTest)
#include "data_file_loading_test.moc"
