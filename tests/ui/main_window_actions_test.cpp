// SPDX-License-Identifier: GPL-3.0-or-later
#include "reserved_port.h"

#include "model/item_tree.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"

#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 3 }Sonja Berg~~~~~~2\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{2 7 }Mail~~s&b@x.org~~~~3\r\n{Mail}0\r\n"
                          "{2 7 }Other~~other@x.org~~~~4\r\n{Mail}0\r\n"
                          "{2 6 }Home~~+49 (30) 555-12~~~~5\r\n{Phon}~~0\r\n"
                          "{2 6 }Desk~~555-1234~~~~9\r\n{Phon}12~~0\r\n"
                          "{2 6 }Reception~~ask at the desk~~~~10\r\n{Phon}~~0\r\n"
                          "{2 8 }Fax~~555-99~~~~6\r\n{Faxs}0\r\n"
                          "{2 10 }Accounts~~/etc/passwd~~~~7\r\n{Docs}0\r\n"
                          "{2 4 }Site~~https://example.org/~~~~8\r\n{Webs}0\r\n";

} // namespace

// Takes what would go to the desktop's handlers.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QStringList urls;

public slots:
    void open(const QUrl& url) { urls.append(url.toString(QUrl::FullyEncoded)); }
};

class MainWindowActionsTest : public QObject
{
    Q_OBJECT

    ReservedPort m_noBrowser;
    MainWindowFixture m_window;
    TMainForm* m_form = nullptr;
    UrlCatcher m_catcher;
    QStringList m_questions;
    QByteArray m_path;

    QAbstractItemView* ListView()
    {
        for (auto* candidate : m_form->findChildren<QAbstractItemView*>())
            if (candidate->model() == &m_form->ListModel() && candidate->isVisibleTo(m_form))
                return candidate;
        return nullptr;
    }

    QModelIndex Row(const QString& title)
    {
        for (int row = 0; row < m_form->ListModel().rowCount(); ++row)
            if (m_form->ListModel().index(row, 0).data().toString() == title)
                return m_form->ListModel().index(row, 0);
        return {};
    }

    void Select(const QStringList& titles)
    {
        QAbstractItemView* view = ListView();
        QVERIFY(view);
        view->clearSelection();
        for (int row = 0; row < m_form->ListModel().rowCount(); ++row)
            if (titles.contains(m_form->ListModel().index(row, 0).data().toString()))
                view->selectionModel()->select(m_form->ListModel().index(row, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
        m_form->SetActivePane(TMainForm::Pane::MainItems);
    }

    QAction* Entry(const QString& caption)
    {
        for (QAction* action : m_form->ListPopup().actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        for (const char* scheme : {"mailto", "tel", "file", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_catcher, "open");
        m_path = qgetenv("PATH");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"mailto", "tel", "file", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void init()
    {
        m_window.Open(Sample, [](TProfileFile& settings) { settings.WriteInteger("Settings", "INetMail", 1); });
        m_form = m_window.form.get();
        m_form->SelectNode(*m_form->Tree().NodeAt(1));
        m_catcher.urls.clear();
        m_questions.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_questions << caption + QStringLiteral(": ") + text;
            return QMessageBox::No;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        qputenv("PATH", m_path);
        m_window.form.reset();
    }

    void entriesAreOfferedForTheirItems()
    {
        for (const char* caption : {"Send &Mail", "Send &Fax", "&Dial"})
            QVERIFY(Entry(QString::fromLatin1(caption))->isEnabled());
        Select({QStringLiteral("Fax")});
        emit m_form->ListPopup().aboutToShow();
        QVERIFY(Entry(QStringLiteral("Send &Fax"))->isVisible());
        QVERIFY(Entry(QStringLiteral("&Dial"))->isVisible());
        QVERIFY(!Entry(QStringLiteral("Send &Mail"))->isVisible());
    }

    void launchOpensTheDocumentAndBrowseTheWebsite()
    {
        Select({QStringLiteral("Accounts")});
        emit m_form->ListPopup().aboutToShow();
        QVERIFY(Entry(QStringLiteral("&Launch"))->isVisible());
        QVERIFY(Entry(QStringLiteral("&Launch"))->isEnabled());
        Entry(QStringLiteral("&Launch"))->trigger();
        QCOMPARE(m_catcher.urls, QStringList{QStringLiteral("file:///etc/passwd")});

        m_catcher.urls.clear();
        Select({QStringLiteral("Site")});
        emit m_form->ListPopup().aboutToShow();
        QVERIFY(Entry(QStringLiteral("&Browse"))->isVisible());
        Entry(QStringLiteral("&Browse"))->trigger(); // no browser answers: the desktop's default one
        QCOMPARE(m_catcher.urls, QStringList{QStringLiteral("https://example.org/")});
    }

    void oneAddressOpensAMailtoLinkThroughTheDesktop()
    {
        Select({QStringLiteral("Mail")});
        Entry(QStringLiteral("Send &Mail"))->trigger();
        QCOMPARE(m_catcher.urls, QStringList{QStringLiteral("mailto:s%26b@x.org")});
        QVERIFY(m_questions.isEmpty());
    }

    void twoAddressesAskFirst()
    {
        Select({QStringLiteral("Other"), QStringLiteral("Mail")});
        Entry(QStringLiteral("Send &Mail"))->trigger();
        QCOMPARE(m_questions, QStringList{QStringLiteral(
                                  "Confirm: Mailing to multiple recipients requires use of the Windows Messaging API "
                                  "(MAPI). Do you want to continue and use MAPI?")});
        QVERIFY(m_catcher.urls.isEmpty());
    }

    void dialHandsTheNumberToTheDesktop()
    {
        Select({QStringLiteral("Home")});
        Entry(QStringLiteral("&Dial"))->trigger();
        QCOMPARE(m_catcher.urls, QStringList{QStringLiteral("tel:+493055512")});
    }

    void dialCarriesTheExtensionAndRefusesWhatIsNoNumber()
    {
        Select({QStringLiteral("Desk")});
        Entry(QStringLiteral("&Dial"))->trigger();
        QCOMPARE(m_catcher.urls, QStringList{QStringLiteral("tel:5551234;ext=12")});

        // A double click on a phone that holds no number says so instead of dialling.
        m_catcher.urls.clear();
        QAbstractItemView* view = ListView();
        const QModelIndex reception = Row(QStringLiteral("Reception"));
        QVERIFY(view && reception.isValid());
        const QPoint where = view->visualRect(reception).center();
        // The view opens an entry on the second click of a press it saw.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
        QVERIFY(m_catcher.urls.isEmpty());
        QCOMPARE(m_questions, QStringList{QStringLiteral("Error: \"ask at the desk\" holds no phone number to dial.")});
    }

    void faxWithoutSendfaxTellsTheUser()
    {
        const QTemporaryDir emptyBin;
        qputenv("PATH", QFile::encodeName(emptyBin.path()));
        Select({QStringLiteral("Fax")});
        Entry(QStringLiteral("Send &Fax"))->trigger();
        QCOMPARE(m_questions,
                 QStringList{QStringLiteral("Error: MAPI Error. Unable to send Fax using Windows Messaging Services")});
    }
};

QTEST_MAIN(MainWindowActionsTest)
#include "main_window_actions_test.moc"
