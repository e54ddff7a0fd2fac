// SPDX-License-Identifier: GPL-3.0-or-later
// Item and file text that looks like markup is shown as written, in boxes, prompts and labels.
#include "desktop_window.h"

#include "shell/profile_file.h"
#include "ui/actions/qt_action_prompts.h"
#include "ui/plain_text.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"
#include "ui/wizards/file_views.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>

using namespace quillary;

namespace {
const QString Markup = QStringLiteral("<img src=\"file:///etc/x.png\"><b>Sam</b>");

// The label of a shown dialog that holds text.
QLabel* LabelHolding(QWidget* dialog, const QString& text)
{
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->text().contains(text))
            return label;
    return nullptr;
}
} // namespace

class PlainTextTest : public QObject
{
    Q_OBJECT

private slots:
    void resolveNamePromptShowsTheNameAsText()
    {
        std::optional<Qt::TextFormat> format;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (QLabel* label = dialog ? LabelHolding(dialog, Markup) : nullptr)
                format = label->textFormat();
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("sam@x.org"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QCOMPARE(AskMailAddress(nullptr, Markup), std::optional<QString>(QStringLiteral("sam@x.org")));
        QCOMPARE(format, std::optional<Qt::TextFormat>(Qt::PlainText));
    }

    void messageBoxesShowTheirTextAsText()
    {
        std::optional<Qt::TextFormat> format;
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                format = box->textFormat();
                shown = LabelHolding(box, Markup) != nullptr;
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        QtActionPrompts(nullptr).ShowError(Markup.toStdString());
        QCOMPARE(format, std::optional<Qt::TextFormat>(Qt::PlainText));
        QVERIFY(shown);
    }

    void statusPanelShowsATitleThatLooksLikeMarkupAsText()
    {
        QTemporaryDir dir;
        QFile data(dir.filePath(QStringLiteral("zelk.dat")));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }" + Markup.toUtf8() +
                   "~~~~~~2\r\n{Fold}0\r\n");
        data.close();
        TProfileFile settings(dir.filePath(QStringLiteral("kpx.ini")).toStdString());
        DesktopWindow form(settings, data.fileName());
        form.show();
        QTreeView& folders = form.FoldersView();
        folders.expandAll();
        const QModelIndex folder = folders.model()->index(0, 0, folders.model()->index(0, 0));
        QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, folders.visualRect(folder).center());
        QCOMPARE(form.StatusText(2), Markup);
        auto* panel = form.findChild<QLabel*>(QStringLiteral("StatusPanel2"));
        QVERIFY(panel);
        QCOMPARE(panel->textFormat(), Qt::PlainText);
    }

    void toolTipsAndPathLabelsShowTextAsWritten()
    {
        QTextDocument shown;
        shown.setHtml(PlainToolTip(Markup));
        QCOMPARE(shown.toPlainText(), Markup);
        QCOMPARE(PlainToolTip(QStringLiteral("/home/sam/Friends")), QStringLiteral("/home/sam/Friends"));

        PathLabel path(QStringLiteral("Label3"));
        path.SetPath(QStringLiteral("/home/") + Markup);
        QCOMPARE(path.textFormat(), Qt::PlainText);
        shown.setHtml(path.toolTip());
        QCOMPARE(shown.toPlainText(), QStringLiteral("/home/") + Markup);
    }
};

QTEST_MAIN(PlainTextTest)
#include "plain_text_test.moc"
