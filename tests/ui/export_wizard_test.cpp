// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"

#include "exchange/vcard_version.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_node.h"
#include "platform/web_graphics.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"
#include "ui/wizards/background_preview.h"
#include "ui/wizards/export_wizard.h"
#include "ui/wizards/folder_chooser.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sstream>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 0 }Friends~~~~~~6\r\n{Fold}0\r\n"
                          "{2 3 }Anna Berg~~Anna Berg~~~~7\r\n{Pers}~~Anna~~~~Berg~~~~Home~~~~~~~~0\r\n"
                          "{3 6 }Home~~555 1234~~~~8\r\n{Phon}~~0\r\n"
                          "{2 1 }Acme Ltd~~~~~~9\r\n{Orgn}~~~~~~~~~~0\r\n"
                          "{1 0 }Others~~~~~~10\r\n{Fold}0\r\n";

TreeNode* Find(ItemTree& tree, const std::string& text)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (tree.NodeAt(i)->Text() == text)
            return tree.NodeAt(i);
    return nullptr;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Select(QListWidget* list, const QStringList& texts)
{
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(texts.contains(list->item(row)->text()));
}

// Moves fields to the export list in the given order.
void ChooseFields(TExportWizard& wizard, const QStringList& fields)
{
    for (auto field = fields.crbegin(); field != fields.crend(); ++field) {
        Select(wizard.TabSheet7()->ListBox1(), {*field});
        wizard.TabSheet7()->CopyRtBtnClick();
    }
}

void ClickUntilFinish(TExportWizard& wizard)
{
    for (int i = 0; i < 9 && !wizard.NextBtnFinishes(); ++i)
        wizard.NextBtn()->click();
}

// The pixels of a colour inside an area of the image.
int CountColour(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// The longest horizontal run of one colour inside an area: an underline is a long one.
int LongestRun(const QImage& image, const QRect& area, const QColor& colour)
{
    int longest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(), run = 0; x <= area.right(); ++x) {
            run = image.pixelColor(x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

const QRect SampleTextArea(10, 5, 127, 20);
const QRect SampleLinkArea(20, 40, 117, 20);

} // namespace

class ExportWizardTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        QVERIFY(InstallWebGraphics(m_dir->path()).isEmpty());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
        m_out = m_dir->filePath(QStringLiteral("out"));
        m_tree = std::make_unique<ItemTree>();
        std::istringstream in(Sample.toStdString());
        LoadDataStream(in, m_tree->Root());
        m_messages.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_messages.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        m_form.reset();
        m_tree.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    void presetsAndPagesFollowTheType()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Publishing Wizard"));
        QCOMPARE(wizard.Label4()->text(), QStringLiteral("My Contacts/Friends"));
        QCOMPARE(wizard.Edit1()->text(), QStringLiteral("Friends.zkd"));
        QCOMPARE(wizard.Edit2()->text(), QStringLiteral("Friends.csv"));
        QCOMPARE(wizard.Edit3()->text(), QStringLiteral("Friends.vcf"));
        QCOMPARE(wizard.StartPageEdit()->text(), QStringLiteral("Friends.htm"));
        QCOMPARE(wizard.TitleEdit()->text(), QStringLiteral("Friends"));
        QCOMPARE(wizard.TextColorCombo()->currentText(), QStringLiteral("Black"));
        QCOMPARE(wizard.LinkColorCombo()->currentText(), QStringLiteral("Navy"));
        QCOMPARE(wizard.BackgroundsFolder(), m_dir->filePath(QStringLiteral("Web Graphics/Backgrounds")));
        QCOMPARE(wizard.IconsFolder(), m_dir->filePath(QStringLiteral("Web Graphics/Icons")));
        QCOMPARE(wizard.LevelsEdit()->maximum(), 9);
        QCOMPARE(wizard.TabSheet7()->RecTypeCombo()->currentText(), QStringLiteral("Person"));

        QCOMPARE(wizard.ExportType()->currentIndex(), 0);
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet2"}));
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportHtml);
        QCOMPARE(wizard.VisibleSheets(),
                 QStringList({"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6"}));
        ClickUntilFinish(wizard);
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet6"));
        QCOMPARE(wizard.CurrentPage(), 4);
        while (wizard.CurrentPage() > 0)
            wizard.PrevBtn()->click();
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportCsv);
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet7", "TabSheet8"}));

        // The settings of the HTML pages reach the publishing settings as shown.
        wizard.DirectoryListBox2()->SetDirectory(m_out);
        wizard.LevelsEdit()->setValue(2);
        wizard.FramesCheckBox()->setChecked(false);
        QCOMPARE(wizard.LinkVersionCombo()->currentText(), QStringLiteral("2.1"));
        QCOMPARE(wizard.HtmlSettings().vcardVersion, VCardVersion::V21);
        wizard.LinkVersionCombo()->setCurrentText(QStringLiteral("4.0"));
        QCOMPARE(wizard.HtmlSettings().vcardVersion, VCardVersion::V40);
        wizard.IncludeVCard()->setChecked(false);
        QVERIFY(!wizard.LinkVersionCombo()->isEnabled());
        wizard.TextColorCombo()->setCurrentText(QStringLiteral("Teal"));
        const PublishSettings settings = wizard.HtmlSettings();
        QCOMPARE(QString::fromStdString(settings.mainFile.string()), m_out + QStringLiteral("/Friends.htm"));
        QCOMPARE(settings.pageTitle, std::string("Friends"));
        QCOMPARE(settings.levels, 2);
        QVERIFY(!settings.frames);
        QVERIFY(settings.includeItemFile);
        QVERIFY(!settings.includeVCards);
        QCOMPARE(settings.textColour, std::string("Teal"));
        QCOMPARE(settings.linkColour, std::string("Navy"));
        QVERIFY(!settings.background);
    }

    void itemFileNamesNeedTheZkdExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("capitals") << "FRIENDS.ZKD" << true;
        QTest::newRow("another extension after it") << "Friends.zkd.txt" << false;
        QTest::newRow("no extension") << "Friends" << false;
    }

    void itemFileNamesNeedTheZkdExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
        wizard.DirectoryListBox1()->SetDirectory(m_out);
        wizard.Edit1()->setText(name);
        ClickUntilFinish(wizard);
        wizard.NextBtn()->click();

        const QString file = m_out + QLatin1Char('/') + name;
        if (accepted) {
            QVERIFY(m_messages.isEmpty());
            QVERIFY(!wizard.isVisible());
            QCOMPARE(wizard.result(), int(QDialog::Accepted));
            ItemTree copy;
            QVERIFY(LoadItemFile(copy.Root(), file.toStdString()));
            QVERIFY(Find(copy, "Anna Berg"));
            QCOMPARE(Find(copy, "Friends")->Parent(), &copy.Root());
        } else {
            QCOMPARE(m_messages, QStringList(QStringLiteral(
                                     "Check Filename: The exported filename needs to have an extension of \".zkd\"")));
            QVERIFY(wizard.isVisible());
            QVERIFY(wizard.Edit1()->hasFocus());
            QVERIFY(!QFile::exists(file));
        }
    }

    void vCardNamesNeedTheVcfExtension()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Anna Berg"));
        wizard.show();
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportVCard);
        QVERIFY(m_messages.isEmpty()); // a person may be published as a vCard
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet9"}));
        wizard.DirectoryListBox4()->SetDirectory(m_out);
        wizard.Edit3()->setText(QStringLiteral("Anna.vcf.bak"));
        ClickUntilFinish(wizard);
        wizard.NextBtn()->click();
        QCOMPARE(m_messages, QStringList(QStringLiteral(
                                 "Check Filename: The exported filename needs to have an extension of \".vcf\"")));
        QVERIFY(wizard.isVisible());
        wizard.Edit3()->setText(QStringLiteral("anna.VCF"));
        wizard.NextBtn()->click();
        QVERIFY(!wizard.isVisible());
        QVERIFY(ReadAll(m_out + QStringLiteral("/anna.VCF")).contains("FN:Anna Berg"));
    }

    void vCardTypeIsRefusedForAFolderWithoutPersons()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Others"));
        wizard.show();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_messages.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Cancel; // either button returns to the first type
        });
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportVCard);
        QCOMPARE(m_messages,
                 QStringList(QStringLiteral("Warning: vCard publishing is only supported for Person and Organization "
                                            "items.")));
        QCOMPARE(wizard.ExportType()->currentIndex(), int(TExportWizard::ExportZkd));
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet2"}));
    }

    void aFoldersVCardFileHoldsEveryPersonAndOrganizationBeneath()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportVCard);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(wizard.VisibleSheets(), QStringList({"TabSheet1", "TabSheet9"}));
        QCOMPARE(wizard.Edit3()->text(), QStringLiteral("Friends.vcf"));
        wizard.DirectoryListBox4()->SetDirectory(m_out);
        wizard.VCardVersionCombo()->setCurrentIndex(2);
        ClickUntilFinish(wizard);
        QTest::mouseClick(wizard.NextBtn(), Qt::LeftButton);
        QVERIFY(!wizard.isVisible());
        const QByteArray cards = ReadAll(m_out + QStringLiteral("/Friends.vcf"));
        QCOMPARE(cards.count("BEGIN:VCARD\r\nVERSION:4.0\r\n"), 2);
        QVERIFY(cards.indexOf("FN:Anna Berg\r\n") < cards.indexOf("FN:Acme Ltd\r\n"));
        QVERIFY(cards.indexOf("FN:Anna Berg\r\n") >= 0);
    }

    void nextWaitsForAFieldToExport()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        wizard.ExportType()->setCurrentIndex(TExportWizard::ExportCsv);
        QVERIFY(wizard.NextBtn()->isEnabled());
        wizard.NextBtn()->click();
        QCOMPARE(wizard.ActivePage(), wizard.TabSheet7());
        QVERIFY(!wizard.NextBtn()->isEnabled());

        ChooseFields(wizard, {"Title"});
        QVERIFY(wizard.NextBtn()->isEnabled());
        Select(wizard.TabSheet7()->ListBox2(), {"Title"});
        wizard.TabSheet7()->CopyLtBtnClick();
        QVERIFY(!wizard.NextBtn()->isEnabled());
        ChooseFields(wizard, {"Title"});
        wizard.TabSheet7()->RecTypeCombo()->setCurrentIndex(2); // another type empties the list
        QVERIFY(!wizard.NextBtn()->isEnabled());

        ChooseFields(wizard, {"Website"});
        wizard.NextBtn()->click();
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
        wizard.PrevBtn()->click();
        QCOMPARE(wizard.ActivePage(), wizard.TabSheet7());
        QVERIFY(wizard.NextBtn()->isEnabled());
    }

    void aShippedBackgroundNeedsItsPreview()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        const QString folder = wizard.BackgroundsFolder();
        QVERIFY(!wizard.BackgroundFile());
        QCOMPARE(wizard.Preview().size(), BackgroundPreviewSize);
        QCOMPARE(wizard.Preview().pixelColor(130, 120), QColor(Qt::white));

        wizard.BkgComboBox()->setCurrentText(QStringLiteral("marble"));
        QCOMPARE(wizard.PreviewBitmapFile(), folder + QStringLiteral("/marble.bmp"));
        QCOMPARE(wizard.BackgroundFile().value_or(QString()), folder + QStringLiteral("/marble.gif"));
        const QImage marble(folder + QStringLiteral("/marble.bmp"));
        QCOMPARE(wizard.Preview().pixelColor(130, 120), marble.pixelColor(130, 120));
        QVERIFY(wizard.Preview().pixelColor(130, 120) != QColor(Qt::white));
        QCOMPARE(QString::fromStdString(wizard.HtmlSettings().background.value_or("").string()),
                 folder + QStringLiteral("/marble.gif"));

        wizard.BkgComboBox()->setCurrentText(QStringLiteral("No background"));
        QVERIFY(!wizard.BackgroundFile());
        QVERIFY(wizard.PreviewBitmapFile().isEmpty());

        QVERIFY(QFile::remove(folder + QStringLiteral("/marble.bmp")));
        wizard.BkgComboBox()->setCurrentText(QStringLiteral("marble"));
        QVERIFY(!wizard.BackgroundFile());
        QVERIFY(!wizard.HtmlSettings().background);
        QCOMPARE(wizard.Preview().pixelColor(130, 120), QColor(Qt::white));
    }

    void browsedPictureBecomesTheBackground()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        wizard.BkgComboBox()->setCurrentText(QStringLiteral("marble"));
        const QString picture = m_dir->filePath(QStringLiteral("my picture.jpg"));
        const auto previous = TExportWizard::PickBackground;
        TExportWizard::PickBackground = [](QWidget*) { return QString(); };
        wizard.BrowseBkgButton()->click(); // cancelled: nothing changes
        QCOMPARE(wizard.BkgComboBox()->currentText(), QStringLiteral("marble"));
        QVERIFY(wizard.BackgroundFile().has_value());
        TExportWizard::PickBackground = [picture](QWidget*) { return picture; };
        wizard.BrowseBkgButton()->click();
        TExportWizard::PickBackground = previous;
        QCOMPARE(wizard.BkgComboBox()->currentText(), QStringLiteral("my picture.jpg"));
        QCOMPARE(wizard.BackgroundFile().value_or(QString()), picture);
        QVERIFY(wizard.PreviewBitmapFile().isEmpty());
        QCOMPARE(wizard.Preview().pixelColor(130, 120), QColor(Qt::white));
    }

    void previewDrawsTheSamplesInTheChosenColours()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        QImage preview = wizard.Preview();
        QVERIFY(CountColour(preview, SampleTextArea, Qt::black) > 20);
        QVERIFY(CountColour(preview, SampleLinkArea, HtmlColour(QStringLiteral("Navy"))) > 20);
        QCOMPARE(CountColour(preview, SampleTextArea, HtmlColour(QStringLiteral("Navy"))), 0);
        QCOMPARE(CountColour(preview, QRect(0, 0, 10, 129), Qt::black), 0); // nothing left of the text

        wizard.TextColorCombo()->setCurrentText(QStringLiteral("Red"));
        wizard.LinkColorCombo()->setCurrentText(QStringLiteral("Teal"));
        preview = wizard.Preview();
        QCOMPARE(HtmlColour(QStringLiteral("Teal")), QColor(0x00, 0x80, 0x80));
        QVERIFY(CountColour(preview, SampleTextArea, Qt::red) > 20);
        QCOMPARE(CountColour(preview, SampleTextArea, Qt::black), 0);
        QVERIFY(LongestRun(preview, SampleLinkArea, QColor(0x00, 0x80, 0x80)) > 40); // the underline
        QVERIFY(LongestRun(preview, SampleTextArea, Qt::red) < 20);                  // text is not underlined

        wizard.BkgComboBox()->setCurrentText(QStringLiteral("beads"));
        QVERIFY(CountColour(wizard.Preview(), SampleTextArea, Qt::red) > 20);
    }

    void aFolderThatCannotBeWrittenKeepsTheWizardOpen()
    {
        TExportWizard wizard;
        wizard.SetParent(*Find(*m_tree, "Friends"));
        wizard.show();
        wizard.DirectoryListBox1()->SetDirectory(m_dir->filePath(QStringLiteral("missing")));
        ClickUntilFinish(wizard);
        wizard.NextBtn()->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(QStringLiteral("Publishing Wizard: The export could not be written.")));
        QVERIFY(wizard.isVisible());
    }

    // The real main window: "P&ublish..." on the selected node.
    void publishAFolderAsAFramedSite()
    {
        OpenMainWindow();
        m_form->SelectNode(*Find(m_form->Tree(), "Friends"));
        RunPublish([this](TExportWizard& wizard) {
            wizard.ExportType()->setCurrentIndex(TExportWizard::ExportHtml);
            wizard.DirectoryListBox2()->SetDirectory(m_out);
            QDir::setCurrent(m_out); // as a file dialog might
            ClickUntilFinish(wizard);
            wizard.NextBtn()->click();
        });
        QCOMPARE(QDir::currentPath(), m_dir->path());
        QVERIFY(m_messages.isEmpty());
        const QDir out(m_out);
        for (const char* name : {"Friends.htm", "zelkindex.htm", "zelkmain.htm", "zelkmain.zkd", "vc7.vcf", "vc9.vcf",
                                 "folder.gif", "person.gif", "org.gif", "zelkbtn.gif", "vcard.gif", "kpx_16.gif"})
            QVERIFY2(out.exists(QString::fromLatin1(name)), name);
        QVERIFY(ReadAll(out.filePath(QStringLiteral("Friends.htm"))).contains("<frame src=\"zelkindex.htm\""));
        QVERIFY(ReadAll(out.filePath(QStringLiteral("zelkindex.htm"))).contains("zelkmain.htm#Anna Berg"));
        QVERIFY(ReadAll(out.filePath(QStringLiteral("zelkmain.htm"))).contains("text=Black link=Navy"));
        QVERIFY(!out.exists(QStringLiteral("vc10.vcf"))); // "Others" is not below "Friends"
    }

    void exportPersonsAsCommaSeparatedValues()
    {
        OpenMainWindow();
        m_form->SelectNode(*Find(m_form->Tree(), "Friends"));
        RunPublish([this](TExportWizard& wizard) {
            wizard.ExportType()->setCurrentIndex(TExportWizard::ExportCsv);
            wizard.NextBtn()->click();
            ChooseFields(wizard, {"Title", "First Name", "Phone Number"});
            wizard.NextBtn()->click();
            wizard.DirectoryListBox3()->SetDirectory(m_out);
            QCOMPARE(wizard.FieldNamesCheck()->text(), QStringLiteral("Include field names as first line"));
            QVERIFY(wizard.FieldNamesCheck()->isChecked());
            wizard.NextBtn()->click();
        });
        // The phone's own title ("Home") is more than the chosen column can say, so a group of
        // its kind follows the chosen columns.
        QCOMPARE(ReadAll(m_out + QStringLiteral("/Friends.csv")),
                 QByteArray("Title,\"First Name\",\"Phone Number\",\"Phone 1 - Label\",\"Phone 1 - Value\"\r\n"
                            "\"Anna Berg\",\"Anna\",\"555 1234\",\"Home\",\"555 1234\"\r\n"));
    }

    void exportAPersonAsVCard()
    {
        OpenMainWindow();
        auto* publish = m_form->findChild<QAction*>(QStringLiteral("Publish1"));
        QVERIFY(publish && publish->isEnabled());
        m_form->SelectNode(*Find(m_form->Tree(), "Anna Berg"));
        RunPublish(
            [this](TExportWizard& wizard) {
                wizard.ExportType()->setCurrentIndex(TExportWizard::ExportVCard);
                wizard.NextBtn()->click();
                wizard.DirectoryListBox4()->SetDirectory(m_out);
                wizard.NextBtn()->click();
            },
            publish);
        // Without a job title there is no TITLE; the phone's title goes as its type and, since
        // "Home,Preferred" is what the types alone would read back as, as its label too.
        QCOMPARE(ReadAll(m_out + QStringLiteral("/Anna Berg.vcf")),
                 QByteArray("begin:vcard\r\nN:Berg;Anna;;\r\nFN:Anna Berg\r\nitem1.TEL;HOME;PREF:555 1234\r\n"
                            "item1.X-ABLabel:Home\r\nend:vcard\r\n"));

        // The version list offers the three versions, 2.1 first; 3.0 writes a 3.0 card.
        RunPublish([this](TExportWizard& wizard) {
            wizard.ExportType()->setCurrentIndex(TExportWizard::ExportVCard);
            wizard.NextBtn()->click();
            QCOMPARE(wizard.VCardVersionCombo()->currentText(), QStringLiteral("2.1"));
            QCOMPARE(wizard.VCardVersionCombo()->count(), 3);
            QCOMPARE(wizard.VCardVersionCombo()->itemText(2), QStringLiteral("4.0"));
            wizard.VCardVersionCombo()->setCurrentText(QStringLiteral("3.0"));
            wizard.DirectoryListBox4()->SetDirectory(m_out);
            wizard.Edit3()->setText(QStringLiteral("Anna 3.vcf"));
            wizard.NextBtn()->click();
        });
        const QByteArray card = ReadAll(m_out + QStringLiteral("/Anna 3.vcf"));
        QVERIFY2(card.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"), card.constData());
        QVERIFY(card.contains("FN:Anna Berg\r\n"));
    }

private:
    void OpenMainWindow()
    {
        QFile file(m_dir->filePath(QStringLiteral("zelk.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Sample);
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dir->filePath(QStringLiteral("zelk.dat")));
        m_form->show();
    }

    // Runs the command with a driver for the wizard it shows; a wizard left open is cancelled.
    void RunPublish(const std::function<void(TExportWizard&)>& drive, QAction* command = nullptr)
    {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* wizard = qobject_cast<TExportWizard*>(QApplication::activeModalWidget());
            if (!wizard) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            driven = true;
            drive(*wizard);
            if (wizard->isVisible())
                wizard->reject();
        });
        if (command)
            command->trigger();
        else
            m_form->PublishBtnClick();
        QVERIFY(driven);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    std::unique_ptr<ItemTree> m_tree;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_messages;
};

QTEST_MAIN(ExportWizardTest)
#include "export_wizard_test.moc"
