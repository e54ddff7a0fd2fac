// SPDX-License-Identifier: GPL-3.0-or-later
// A data file nested far deeper than any address book, in the main window.
#include "desktop_window.h"

#include "model/item_tree.h"
#include "model/tree_depth.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/main_form.h"

#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace quillary;

namespace {

// Deeper than the 26,000 levels at which the tree view's recursive layout used to overflow.
constexpr int Levels = 30000;

QByteArray Folder(int level, const QByteArray& title, int id)
{
    return "{" + QByteArray::number(level) + " 0 }" + title + "~~~~~~" + QByteArray::number(id) + "\r\n{Fold}0\r\n";
}

QByteArray DeepData()
{
    QByteArray data = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n";
    for (int level = 1; level <= Levels; ++level)
        data += Folder(level, "N" + QByteArray::number(level), level);
    return data + Folder(1, "Outer", Levels + 1) + Folder(2, "Inner", Levels + 2);
}

TreeNode* Named(ItemTree& tree, const std::string& title)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (tree.NodeAt(i)->Text() == title)
            return tree.NodeAt(i);
    return nullptr;
}

} // namespace

class DeepTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile file(m_dir.filePath(QStringLiteral("zelk.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(DeepData());
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir.filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dir.filePath(QStringLiteral("zelk.dat")));
        m_form->show();
        Questions::SetHook([this](const QString&, const QString& text) {
            m_told.append(text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        m_form.reset();
        m_told.clear();
    }

    void theDeepestNodeIsSelectedByAClick()
    {
        ItemTree& tree = m_form->Tree();
        TreeNode* deepest = Named(tree, "N" + std::to_string(Levels));
        QVERIFY(deepest);
        QCOMPARE(deepest->Depth(), MaxTreeDepth);
        QCOMPARE(deepest->Parent(), Named(tree, "N999"));

        QTreeView& view = m_form->FoldersView();
        const QModelIndex index = m_form->TreeModel().IndexOf(deepest);
        view.scrollTo(index); // opens every folder above it
        // Scrolled sideways to the node, as the user would with the scroll bar.
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + view.visualRect(index).left());
        const QRect rect = view.visualRect(index);
        QVERIFY(view.viewport()->rect().contains(rect.center()));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(m_form->SelectedNode(), deepest);
        QVERIFY(m_told.isEmpty());
    }

    void aDropThatWouldGoDeeperIsRefusedWithAMessage()
    {
        ItemTree& tree = m_form->Tree();
        TreeNode& outer = *Named(tree, "Outer");
        TreeNode& deep = *Named(tree, "N999");
        m_form->SelectNode(outer);
        std::unique_ptr<QMimeData> data(m_form->TreeModel().mimeData({}));
        m_form->TreeModel().dropMimeData(data.get(), Qt::MoveAction, -1, 0, m_form->TreeModel().IndexOf(&deep));
        QCOMPARE(outer.Parent(), &tree.Root());
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(QStringLiteral("more than 1000 levels deep")), qPrintable(m_told.first()));

        TreeNode& inner = *Named(tree, "Inner");
        m_form->SelectNode(inner);
        m_form->TreeModel().dropMimeData(data.get(), Qt::MoveAction, -1, 0, m_form->TreeModel().IndexOf(&deep));
        QCOMPARE(inner.Parent(), &deep);
        QCOMPARE(m_told.size(), 1);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_told;
};

QTEST_MAIN(DeepTreeTest)
#include "deep_tree_test.moc"
