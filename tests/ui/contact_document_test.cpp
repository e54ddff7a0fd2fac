// SPDX-License-Identifier: GPL-3.0-or-later
// The document lives without a window: it reads and writes its data file with the services it is
// given, and a window that comes and goes leaves nothing of itself behind in it.
#include "desktop_window.h"
#include "support/fake_services.h"

#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "shell/profile_file.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/sync/sync_center.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

using namespace quillary;

namespace {

const QByteArray Data = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n"
                        "{1 0 }Friends~~~~~~101\r\n{Fold}0\r\n"
                        "{1 0 }Work~~~~~~102\r\n{Fold}0\r\n";

std::string Saved(const ItemTree& tree)
{
    std::ostringstream out;
    WriteDataStream(tree, out);
    return out.str();
}

} // namespace

class ContactDocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("zelk.dat"));
        QFile file(m_data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Data);
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir.filePath(QStringLiteral("kpx.ini")).toStdString());
    }

    void withoutAWindowItReadsAndWritesItsFileThroughItsServices()
    {
        test::FixedClock clock;
        ItemServices desk;
        desk.clock = &clock;
        ContactDocument document(m_data, desk, *m_settings);
        QVERIFY(!document.IsLoading());
        QCOMPARE(document.LoadResult().state, DataFileState::Loaded);
        QCOMPARE(document.Tree().Root().ChildCount(), 2);
        QCOMPARE(document.Tree().Services().clock, &clock);
        QVERIFY(document.Tree().Services().view && document.Tree().Services().dialogs); // headless ones
        QVERIFY(!document.HasSync());

        QVERIFY(CreateItem(KindPerson, "Ann Lee", "", "", document.Tree().Root(), "", 0));
        document.Session().Save(document.Tree());
        ItemTree reread;
        QCOMPARE(LoadWholeDataFile(reread.Root(), m_data.toStdString()).state, DataFileState::Loaded);
        QVERIFY(Saved(reread) == Saved(document.Tree()));
    }

    void aWindowThatComesAndGoesLeavesTheDocumentWhole()
    {
        DesktopServices desktop(*m_settings);
        ContactDocument document(m_data, desktop.ItemDesk(), *m_settings);
        const std::string before = Saved(document.Tree());
        for (int round = 0; round < 2; ++round) {
            auto window = std::make_unique<TMainForm>(*m_settings, document, desktop);
            QCOMPARE(document.Tree().Services().view, static_cast<ItemView*>(window.get()));
            QVERIFY(document.HasSync() && &window->Sync() == &document.Sync());
            QCOMPARE(window->TreeModel().rowCount(window->TreeModel().IndexOf(&document.Tree().Root())), 2);
            window.reset();
            QVERIFY(!document.HasSync());
            ItemView* view = document.Tree().Services().view;
            QVERIFY(view);
            view->SelectNode(document.Tree().Root()); // the headless stand-in, not the window that went
            QVERIFY(Saved(document.Tree()) == before);
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_data;
    std::unique_ptr<TProfileFile> m_settings;
};

QTEST_MAIN(ContactDocumentTest)
#include "contact_document_test.moc"
