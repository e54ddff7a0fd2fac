// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/action_prompts.h"
#include "support/fake_messaging.h"
#include "support/fake_services.h"

#include "actions/email_component.h"
#include "actions/outward_actions.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "platform/desktop_telephony.h"
#include "platform/xdg_messaging.h"
#include "shell/profile_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quillary;

// Takes what would go to the desktop's handler.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// Keeps the errors the actions would show.
class RecordingPrompts final : public ActionPrompts
{
public:
    QStringList errors;
    bool Confirm(const std::string&) override { return false; }
    void ShowError(const std::string& text) override { errors << QString::fromStdString(text); }
};

class XdgMessagingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;
    QTemporaryDir m_empty;
    QByteArray m_path;

    // A program that records its arguments, one a line, in <its name>.args beside it.
    void WriteRecorder(const QString& name, int exitCode = 0)
    {
        QFile file(m_bin.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("#!/bin/sh\nout=\"$0.args\"\n: > \"$out.tmp\"\n"
                   "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\nmv \"$out.tmp\" \"$out\"\n"
                   "exit " +
                   QByteArray::number(exitCode) + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList Recorded(const QString& name)
    {
        const QString path = m_bin.filePath(name + QStringLiteral(".args"));
        if (!QTest::qWaitFor([&] { return QFile::exists(path); }, 20000))
            return {QStringLiteral("<not called>")};
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        file.remove();
        return lines;
    }

    QString Attachment(const QString& name)
    {
        const QString path = m_empty.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    static XdgMessaging Refusing()
    {
        return XdgMessaging([](const QString&) { return std::nullopt; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_bin.isValid() && m_empty.isValid());
        WriteRecorder(QStringLiteral("xdg-email"));
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_path);
    }

    void cleanupTestCase() { qputenv("PATH", m_path); }

    void mailGoesToTheComposerAsPlainArguments()
    {
        XdgMessaging messaging = Refusing();
        mapi::Message message;
        message.subject = "Hi & bye; $(rm -rf ~)";
        message.noteText = "Body";
        message.recipients = {{mapi::To, "a&b@x.org", {}},
                              {mapi::Cc, "c@x.org", {}},
                              {mapi::To, "Sam", "sam@x.org"},
                              {mapi::Bcc, "d@x.org", {}}};
        message.files = {{Attachment(QStringLiteral("a b.txt")).toStdString(), {}, -1}};
        QCOMPARE(messaging.SendMail(1, message, mapi::Dialog), mapi::SuccessSuccess);
        QCOMPARE(Recorded(QStringLiteral("xdg-email")),
                 (QStringList{"--cc", "c@x.org", "--bcc", "d@x.org", "--subject", "Hi & bye; $(rm -rf ~)", "--body",
                              "Body", "--attach", m_empty.filePath("a b.txt"), "a&b@x.org", "sam@x.org"}));
    }

    void mailComponentResolvesNamesByAsking()
    {
        const QString first = Attachment(QStringLiteral("one.pdf"));
        const QString second = Attachment(QStringLiteral("two.pdf"));
        QStringList asked;
        XdgMessaging messaging([&](const QString& name) -> std::optional<QString> {
            asked << name;
            if (name == QStringLiteral("Sam"))
                return QStringLiteral(" sam@x.org ");
            return std::nullopt;
        });
        TEmail mail(messaging);
        mail.Recipient = {"to@x.org", "Sam", "Nobody", "skipped@x.org"};
        mail.CC = {"Unknown"};
        mail.Attachment = {first.toStdString(), second.toStdString()};
        QCOMPARE(mail.SendMail(), mapi::SuccessSuccess);
        QCOMPARE(asked, (QStringList{"Sam", "Nobody", "Unknown"}));
        QCOMPARE(Recorded(QStringLiteral("xdg-email")),
                 (QStringList{"--attach", first, "--attach", second, "to@x.org", "sam@x.org"}));
    }

    void longAttachmentPathsArriveWhole()
    {
        QString folder = m_empty.path();
        for (const QString& part : {QStringLiteral("Geschäftsberichte und Jahresabschlüsse der Tochtergesellschaften"),
                                    QStringLiteral("Übersetzungen für die Prüfung durch die Wirtschaftsprüfer"),
                                    QStringLiteral("Ausgabe März – endgültige Fassung nach Rücksprache"),
                                    QStringLiteral("Anlagen zur Beschlussvorlage für den Aufsichtsrat")})
            folder += QLatin1Char('/') + part;
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/Zusammenfassung der Änderungen gegenüber dem Vorjahr.pdf");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::encodeName(path).size() > 300); // well past the 255 bytes of old path buffers

        XdgMessaging messaging = Refusing();
        TEmail mail(messaging);
        mail.Recipient = {"to@x.org"};
        mail.Attachment = {QFile::encodeName(path).toStdString()};
        QCOMPARE(mail.SendMail(), mapi::SuccessSuccess);
        QCOMPARE(Recorded(QStringLiteral("xdg-email")), (QStringList{"--attach", path, "to@x.org"}));

        WriteRecorder(QStringLiteral("sendfax"));
        mapi::Message fax;
        fax.recipients = {{mapi::To, "Office", "FAX:555 0100"}};
        fax.files = {{QFile::encodeName(path).toStdString(), {}, -1}};
        QCOMPARE(messaging.SendMail(0, fax, mapi::Dialog), mapi::SuccessSuccess);
        QCOMPARE(Recorded(QStringLiteral("sendfax")), (QStringList{"-d", "5550100", path}));
        QFile::remove(m_bin.filePath(QStringLiteral("sendfax")));
    }

    void hostileAddressesNeverReachTheComposer()
    {
        const QString args = m_bin.filePath(QStringLiteral("xdg-email.args"));
        XdgMessaging messaging([](const QString&) { return std::optional<QString>(QStringLiteral("--attach")); });
        for (const mapi::Recipient& recipient : {mapi::Recipient{mapi::To, "Trap", "mailto:x@y?attach=/etc/shadow"},
                                                 mapi::Recipient{mapi::Cc, "--attach@x.org", {}},
                                                 mapi::Recipient{mapi::Bcc, "a@x.org --attach /etc/shadow", {}}}) {
            mapi::Message message;
            message.recipients = {{mapi::To, "sam@x.org", {}}, recipient};
            QCOMPARE(messaging.SendMail(1, message, mapi::Dialog), mapi::UnknownRecipient);
        }
        // Resolving never lets such a name through, nor an answer of that kind from the user.
        const mapi::Recipient* resolved = nullptr;
        QCOMPARE(messaging.ResolveName(1, "mailto:x@y?attach=/etc/shadow", 0, resolved), mapi::UnknownRecipient);
        QCOMPARE(messaging.ResolveName(1, "Sam", mapi::Dialog, resolved), mapi::UnknownRecipient);

        // The whole way from an e-mail item, as the user's Send Mail takes it.
        test::TestWorld world;
        ItemTree tree(world.Services());
        TProfileFile settings = TProfileFile::FromText("kpx.ini", "[Settings]\r\nINetMail=2\r\n");
        test::ScriptedPrompts prompts;
        TOutwardActions actions(MailServices{messaging, world.desktop, prompts, [](const std::string&) {}}, settings,
                                [] { return std::vector<const TKPXObject*>{}; });
        auto* item = static_cast<TEMailObject*>(
            CreateItem(KindEMail, "Trap", "mailto:x@y?attach=/etc/shadow", "", tree.Root(), "", 0));
        actions.SendMail(*item, "");
        QCOMPARE(prompts.errors.size(), std::size_t(1));
        QVERIFY(prompts.errors.front().find("mailto:x@y?attach=/etc/shadow") != std::string::npos);
        QVERIFY(!QFile::exists(args));

        // A plain mail afterwards is the one call the composer ever sees; a file named like an
        // option is handed over by its whole path.
        const QString current = QDir::currentPath();
        QDir::setCurrent(m_empty.path());
        Attachment(QStringLiteral("-x.pdf"));
        mapi::Message plain;
        plain.recipients = {{mapi::To, "sam@x.org", {}}};
        plain.files = {{"-x.pdf", {}, -1}};
        QCOMPARE(messaging.SendMail(1, plain, mapi::Dialog), mapi::SuccessSuccess);
        QDir::setCurrent(current);
        QCOMPARE(Recorded(QStringLiteral("xdg-email")),
                 (QStringList{"--attach", m_empty.filePath("-x.pdf"), "sam@x.org"}));
    }

    void faxNeedsSendfax()
    {
        XdgMessaging messaging = Refusing();
        mapi::Message fax;
        fax.recipients = {{mapi::To, "Office", "FAX:+1 (555) 0100"}};
        fax.files = {{Attachment(QStringLiteral("letter.ps")).toStdString(), {}, -1}};

        qputenv("PATH", QFile::encodeName(m_empty.path()));
        QCOMPARE(messaging.SendMail(0, fax, mapi::LogonUi | mapi::NewSession | mapi::Dialog), mapi::Failure);
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_path);

        WriteRecorder(QStringLiteral("sendfax"));
        QCOMPARE(messaging.SendMail(0, fax, mapi::Dialog), mapi::SuccessSuccess);
        QCOMPARE(Recorded(QStringLiteral("sendfax")), (QStringList{"-d", "+15550100", m_empty.filePath("letter.ps")}));
        QVERIFY(!QFile::exists(m_bin.filePath(QStringLiteral("xdg-email.args"))));

        WriteRecorder(QStringLiteral("sendfax"), 3);
        QCOMPARE(messaging.SendMail(0, fax, mapi::Dialog), mapi::Failure);
        QFile::remove(m_bin.filePath(QStringLiteral("sendfax")));
    }

    void dialHandsATelAddressToTheDesktop()
    {
        RecordingPrompts prompts;
        DesktopTelephony telephony(prompts);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("tel"), &catcher, "open");
        QCOMPARE(telephony.RequestMakeCall("+1 (555) 123-4567 *9#", "Tarnwell", "Office", "note"), 0);
        QCOMPARE(telephony.RequestMakeCall("+44 (0)20 7946 0958 ext. 12", "Tarnwell", "Office", ""), 0);
        QVERIFY(prompts.errors.isEmpty());
        QVERIFY(telephony.RequestMakeCall("call me", "Tarnwell", "", "") < 0);
        QDesktopServices::unsetUrlHandler(QStringLiteral("tel"));
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[0].toString(QUrl::FullyEncoded), QStringLiteral("tel:+15551234567*9%23"));
        QCOMPARE(catcher.urls[1].toString(QUrl::FullyEncoded), QStringLiteral("tel:+442079460958;ext=12"));
        // Nothing to dial is said, not dialled.
        QCOMPARE(prompts.errors, QStringList{QStringLiteral("\"call me\" holds no phone number to dial.")});

        // The offscreen desktop has no handler of its own: a refused request.
        QVERIFY(telephony.RequestMakeCall("555", "Tarnwell", "", "") < 0);
    }
};

QTEST_MAIN(XdgMessagingTest)
#include "xdg_messaging_test.moc"
