// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_window.h"

#include "exchange/csv_import.h"
#include "exchange/record_types.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"
#include "ui/wizards/file_views.h"
#include "ui/wizards/folder_chooser.h"
#include "ui/wizards/import_wizard.h"
#include "ui/wizards/vcard_import_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace quillary;

namespace {

const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 0 }Clients~~~~~~1\r\n{Fold}0\r\n"
                          "{2 3 }Sonja Berg~~~~~~2\r\n{Pers}~~~~~~~~~~~~~~~~~~0\r\n"
                          "{1 0 }Friends~~~~~~6\r\n{Fold}0\r\n";

// Three cards: the first names an organization, the other two do not.
const QByteArray ThreeCards = "BEGIN:VCARD\r\nN:Berg;Sonja\r\nORG:Acme Ltd\r\nTEL;WORK:555\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\r\nN:Doe;John\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\r\nFN:Ann Lee\r\nN:Lee;Ann\r\nEND:VCARD\r\n";

// Outlook's columns: "Title" is the salutation, two phone columns, three columns nothing reads.
const QByteArray OutlookExport =
    "\"Title\",\"First Name\",\"Middle Name\",\"Last Name\",\"Suffix\",\"Company\",\"Business Street\","
    "\"Business City\",\"Business Phone\",\"Home Phone\",\"E-mail Address\",\"Notes\",\"Birthday\"\r\n"
    "\"Dr.\",\"Ann\",\"\",\"Lee\",\"\",\"Acme\",\"1 High St\",\"Springfield\",\"\",\"555 0100\","
    "\"ann@example.org\",\"Friend from school\",\"\"\r\n"
    "\"\",\"Bob\",\"\",\"Ray\",\"\",\"\",\"\",\"\",\"555 0200\",\"555 0300\",\"\",\"\",\"\"\r\n";

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TreeNode* Find(TreeNode& parent, const std::string& text)
{
    for (int i = 0; i < parent.ChildCount(); ++i)
        if (parent.ChildAt(i)->Text() == text)
            return parent.ChildAt(i);
    return nullptr;
}

// A field as the export writes it, without its quotes and separator.
QString FieldOf(const TKPXObject& item, const char* field)
{
    QString text = QString::fromStdString(item.GetFieldText(field));
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text.mid(1, text.size() - 2);
}

QStringList ChildTexts(const TreeNode& node)
{
    QStringList texts;
    for (int i = 0; i < node.ChildCount(); ++i)
        texts.append(QString::fromStdString(node.ChildAt(i)->Text()));
    return texts;
}

void Choose(QListWidget* list, const QStringList& texts)
{
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(texts.contains(list->item(row)->text()));
}

QString LabelText(const TImportWizard& wizard, const char* name)
{
    return wizard.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

FolderChooser& Folders(const TImportWizard& wizard, const char* name)
{
    return *wizard.findChild<FolderChooser*>(QString::fromLatin1(name));
}

// The fields of the list that persons do not have (yet).
QStringList PersonLacks(const QStringList& fields)
{
    QStringList lacking;
    for (const QString& field : fields)
        if (!OffersField(*RecordTypeOfKind(KindPerson), field.toStdString()))
            lacking.append(field);
    return lacking;
}

QString IgnoredText(const QStringList& ignored)
{
    return QStringLiteral("Ignored columns: ") + (ignored.isEmpty() ? QStringLiteral("none") : ignored.join(", "));
}

// Runs the steps on the wizard once it is open (it is modal, so they run from the event loop).
void WhenWizardOpens(const std::function<void(TImportWizard&)>& steps)
{
    QTimer::singleShot(0, [steps] {
        auto* wizard = qobject_cast<TImportWizard*>(QApplication::activeModalWidget());
        if (!wizard)
            return;
        steps(*wizard);
        if (wizard->isVisible())
            wizard->reject();
    });
}

} // namespace

class ImportWizardTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        m_told.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_told.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        VCardQuestion::SetHook({});
        m_form.reset();
        m_settings.reset();
    }

    void eachTypeHasItsPages()
    {
        TImportWizard wizard({});
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Import Wizard"));
        QStringList types;
        for (int i = 0; i < wizard.ImportType()->count(); ++i)
            types.append(wizard.ImportType()->itemText(i));
        QCOMPARE(types, (QStringList{"Quillary File (*.ZKD)", "Microsoft Internet Explorer Favorites (*.URL)",
                                     "Netscape Bookmarks", "Netscape Address Book", "Eudora Nicknames File",
                                     "Comma or Tab-Delimited Text", "vCard File (*.VCF)"}));
        QCOMPARE(wizard.ImportType()->currentIndex(), 0);
        const QList<QStringList> sequences = {{"TabSheet1", "TabSheet3"}, {"TabSheet1", "TabSheet2"},
                                              {"TabSheet1", "TabSheet4"}, {"TabSheet1", "TabSheet5"},
                                              {"TabSheet1", "TabSheet6"}, {"TabSheet1", "TabSheet8", "TabSheet7"},
                                              {"TabSheet1", "TabSheet9"}};
        QCOMPARE(wizard.VisibleSheets(), sequences[0]);
        for (int type : {5, 2, 6, 1, 3, 0, 4}) {
            wizard.ImportType()->setCurrentIndex(type);
            QCOMPARE(wizard.VisibleSheets(), sequences[type]);
            QCOMPARE(wizard.CurrentPage(), 0);
        }
        // The reading choices start on "Detect" without a line of field names, which reads commas
        // as the import always has; the record types are filled.
        auto* separator = wizard.findChild<QComboBox*>(QStringLiteral("SepCharCombo"));
        QCOMPARE(separator->currentText(), QStringLiteral("Detect"));
        QCOMPARE(wizard.EncodingCombo()->currentText(), QStringLiteral("Detect"));
        QVERIFY(!wizard.HeaderLineCheck()->isChecked());
        QVERIFY(!wizard.TabSeparated());
        QCOMPARE(wizard.MappingPage().RecordKind(), int(KindPerson));
        CsvImportSettings settings = wizard.TextSettings();
        QVERIFY(!settings.headerLine && !settings.tabSeparated);
        QCOMPARE(settings.separator, CsvSeparator::Comma);
        QCOMPARE(settings.encoding, TextEncoding::Auto);
        separator->setCurrentText(QStringLiteral("Tab"));
        wizard.EncodingCombo()->setCurrentText(QStringLiteral("Windows-1252"));
        QVERIFY(wizard.TabSeparated());
        QVERIFY(wizard.TextSettings().tabSeparated);
        QCOMPARE(wizard.TextSettings().encoding, TextEncoding::Cp1252);
        // With field names the separator is detected, and the file page comes before the fields.
        separator->setCurrentText(QStringLiteral("Detect"));
        wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
        wizard.HeaderLineCheck()->setChecked(true);
        QCOMPARE(wizard.TextSettings().separator, CsvSeparator::Auto);
        QCOMPARE(wizard.VisibleSheets(), (QStringList{"TabSheet1", "TabSheet7", "TabSheet8"}));
        wizard.HeaderLineCheck()->setChecked(false);
        QCOMPARE(wizard.VisibleSheets(), sequences[TImportWizard::DelimitedText]);
    }

    void nextWaitsOnTheFieldPageUntilAFieldIsChosen()
    {
        TImportWizard wizard({});
        wizard.show();
        wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
        wizard.NextBtn()->click();
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet8"));
        QVERIFY(!wizard.NextBtn()->isEnabled());
        FieldMappingPage& mapping = wizard.MappingPage();
        Choose(mapping.ListBox1(), {"Title"});
        mapping.CopyRtBtnClick();
        QVERIFY(wizard.NextBtn()->isEnabled());
        mapping.ListBox2()->item(0)->setSelected(true);
        mapping.CopyLtBtnClick();
        QVERIFY(!wizard.NextBtn()->isEnabled());
        Choose(mapping.ListBox1(), {"Title"});
        mapping.CopyRtBtnClick();
        wizard.NextBtn()->click();
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet7"));
        QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
        wizard.PrevBtn()->click();
        QVERIFY(wizard.NextBtn()->isEnabled());
        // Another record type empties the chosen fields.
        mapping.RecTypeCombo()->setCurrentIndex(2);
        QVERIFY(!wizard.NextBtn()->isEnabled());
        wizard.PrevBtn()->click();
        QVERIFY(wizard.NextBtn()->isEnabled());
    }

    void label7ShowsTheDestinationsPath()
    {
        ItemTree tree;
        TKPXObject* friends = CreateItem(KindFolder, "Friends", "", "", tree.Root(), "", 0);
        TKPXObject* close = CreateItem(KindFolder, "Close", "", "", *friends->GetTreeNode(), "", 0);
        TImportWizard wizard({});
        wizard.SetParent(*close->GetTreeNode());
        QCOMPARE(wizard.findChild<PathLabel*>(QStringLiteral("Label7"))->Path(),
                 QStringLiteral("My Contacts/Friends/Close"));
    }

    void sourcePagesTellWhatTheFolderHolds()
    {
        QTemporaryDir sources;
        WriteFile(sources.filePath("bookmark.htm"), "<HTML>\r\n<TITLE>Ann's Bookmarks</TITLE>\r\n");
        WriteFile(sources.filePath("ADDRESS.HTM"), "<TITLE>Ann's Address Book</TITLE>\r\n");
        WriteFile(sources.filePath("nndbase.txt"), "alias bob bob@example.org\r\n");
        QTemporaryDir empty;
        TImportWizard wizard({});
        Folders(wizard, "NavDirListBox").SetDirectory(sources.path());
        Folders(wizard, "NavAddrDirList").SetDirectory(sources.path());
        Folders(wizard, "EudoraDirList").SetDirectory(sources.path());
        QCOMPARE(LabelText(wizard, "Label10"), QStringLiteral("Ann's Bookmarks"));
        QCOMPARE(LabelText(wizard, "Label12"), QStringLiteral("Ann's Address Book"));
        QCOMPARE(LabelText(wizard, "Label13"), QStringLiteral("Found Eudora Address File in this directory"));
        Folders(wizard, "NavDirListBox").SetDirectory(empty.path());
        Folders(wizard, "NavAddrDirList").SetDirectory(empty.path());
        Folders(wizard, "EudoraDirList").SetDirectory(empty.path());
        for (const char* label : {"Label10", "Label12", "Label13"})
            QCOMPARE(LabelText(wizard, label), QStringLiteral("None Found"));
    }

    void favoritesJumpHomeOnTheFirstFocusOnly()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        for (const bool withFavorites : {false, true}) {
            if (withFavorites)
                QDir(home.path()).mkdir(QStringLiteral("Favorites"));
            const QString expected = withFavorites ? home.filePath("Favorites") : QDir::cleanPath(home.path());
            TImportWizard wizard({});
            FolderChooser& folders = Folders(wizard, "DirectoryListBox1");
            auto* label3 = wizard.findChild<PathLabel*>(QStringLiteral("Label3"));
            QCOMPARE(folders.Directory(), QDir::currentPath());
            QCOMPARE(label3->Path(), QDir::currentPath());
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(folders.View(), &focus);
            QCOMPARE(folders.Directory(), expected);
            QCOMPARE(label3->Path(), expected);
            folders.SetDirectory(m_dir->path());
            QCoreApplication::sendEvent(folders.View(), &focus);
            QCOMPARE(folders.Directory(), QDir::cleanPath(m_dir->path()));
        }
        qputenv("HOME", oldHome);
    }

    void summaryTellsWhatCameInAndWhatWasLeftOut()
    {
        ImportCounts counts;
        counts.CountMade(KindPerson);
        counts.CountMade(KindPerson);
        counts.CountRejected("row 3: no first or last name");
        QCOMPARE(ImportSummary({TImportWizard::DelimitedText, counts, false}),
                 QStringLiteral("Made 2 persons.\nRejected 1 row:\nrow 3: no first or last name"));
        QCOMPARE(ImportSummary({TImportWizard::Nicknames, {}, false}), QStringLiteral("Nothing was imported."));
        QCOMPARE(ImportSummary({TImportWizard::VCardFile, counts, true}),
                 QStringLiteral("The import was cancelled; nothing was imported."));
    }

    void personsFromATextFileArriveThroughTheWizard()
    {
        OpenMainWindow();
        WriteFile(m_dir->filePath("people.csv"), ",Ann,Lee,1 High St\r\nNobody,,,\r\n,Bob,Ray,\r\n");
        TreeNode& friends = *Find(m_form->Tree().Root(), "Friends");
        m_form->SelectNode(friends);
        const QString csv = m_dir->filePath("people.csv");
        QTemporaryDir elsewhere;
        WhenWizardOpens([&](TImportWizard& wizard) {
            QDir::setCurrent(elsewhere.path()); // the working directory must come back afterwards
            wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
            wizard.NextBtn()->click();
            Choose(wizard.MappingPage().ListBox1(), {"Title", "First Name", "Last Name", "Address Line 1"});
            wizard.MappingPage().CopyRtBtnClick();
            wizard.NextBtn()->click();
            wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
            QCOMPARE(wizard.ChosenFile(), csv);
            wizard.NextBtn()->click();
        });
        m_form->ImportBtnClick();

        QCOMPARE(m_told, QStringList{"Import Wizard: Made 2 persons.\nRejected 1 row:\nrow 2: no first or last name"});
        QCOMPARE(ChildTexts(friends), (QStringList{"Ann Lee", "Bob Ray"}));
        TKPXObject* ann = Find(friends, "Ann Lee")->Data();
        QCOMPARE(ann->ChildCount(), 1);
        QCOMPARE(ann->ChildAt(0)->GetTarget(), std::string("1 High St"));
        QCOMPARE(QDir::currentPath(), QDir(m_dir->path()).canonicalPath());
        QCOMPARE(m_form->ListModel().rowCount(), 2);
    }

    // The header box is reached from the field page without choosing fields first.
    void columnsNamedByTheFirstLineAreMappedForTheImport()
    {
        OpenMainWindow();
        WriteFile(m_dir->filePath("outlook.csv"), OutlookExport);
        TreeNode& friends = *Find(m_form->Tree().Root(), "Friends");
        m_form->SelectNode(friends);
        const QString csv = m_dir->filePath("outlook.csv");
        WhenWizardOpens([&](TImportWizard& wizard) {
            wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
            wizard.NextBtn()->click();
            QVERIFY(!wizard.NextBtn()->isEnabled());
            wizard.findChild<QPushButton*>(QStringLiteral("HeaderLineBtn"))->click();
            QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet7"));
            QVERIFY(wizard.HeaderLineCheck()->isChecked());
            QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Next >>"));
            wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
            wizard.NextBtn()->click();

            FieldMappingPage& mapping = wizard.MappingPage();
            QCOMPARE(wizard.ActivePage(), &mapping);
            QVERIFY(mapping.ColumnsShown());
            QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
            QVERIFY(wizard.NextBtn()->isEnabled());
            QCOMPARE(mapping.ColumnNames().size(), 13);
            QCOMPARE(mapping.ColumnCombos()[0]->currentText(), QStringLiteral("Salutation"));
            QCOMPARE(mapping.ColumnCombos()[5]->currentText(), QStringLiteral("Company"));
            QCOMPARE(mapping.ColumnCombos()[8]->currentText(), QStringLiteral("Phone Number"));
            QCOMPARE(mapping.ColumnCombos()[9]->currentText(), QStringLiteral("Phone Number"));
            QCOMPARE(mapping.ColumnCombos()[0]->itemText(0), QStringLiteral("(ignored)"));
            // The birthday makes a reminder; company and suffix fill fields once persons have them.
            QCOMPARE(mapping.ColumnCombos()[12]->currentText(), QStringLiteral("Birthday"));
            QCOMPARE(mapping.IgnoredLabel()->text(), IgnoredText(PersonLacks({"Suffix", "Company"})));
            wizard.NextBtn()->click();
        });
        m_form->ImportBtnClick();

        QCOMPARE(m_told, QStringList{"Import Wizard: Made 2 persons."});
        QCOMPARE(ChildTexts(friends), (QStringList{"Ann Lee", "Bob Ray"}));
        const TKPXObject* ann = Find(friends, "Ann Lee")->Data();
        QCOMPARE(FieldOf(*ann, "Salutation"), QStringLiteral("Dr."));
        QCOMPARE(FieldOf(*ann, "City"), QStringLiteral("Springfield"));
        QCOMPARE(FieldOf(*ann, "E-Mail Address"), QStringLiteral("ann@example.org"));
        QCOMPARE(FieldOf(*ann, "Comment"), QStringLiteral("Friend from school"));
        // Of the two phone columns the first that holds a number counts.
        QCOMPARE(FieldOf(*ann, "Phone Number"), QStringLiteral("555 0100"));
        QCOMPARE(FieldOf(*Find(friends, "Bob Ray")->Data(), "Phone Number"), QStringLiteral("555 0200"));
    }

    // The box checked on the file page after fields were listed; the user changes the mapping.
    void aChangedColumnMappingChangesWhatIsImported()
    {
        OpenMainWindow();
        WriteFile(m_dir->filePath("outlook.csv"), OutlookExport);
        TreeNode& friends = *Find(m_form->Tree().Root(), "Friends");
        m_form->SelectNode(friends);
        const QString csv = m_dir->filePath("outlook.csv");
        WhenWizardOpens([&](TImportWizard& wizard) {
            wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
            wizard.NextBtn()->click();
            FieldMappingPage& mapping = wizard.MappingPage();
            Choose(mapping.ListBox1(), {"First Name"});
            mapping.CopyRtBtnClick();
            wizard.NextBtn()->click();
            QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
            wizard.HeaderLineCheck()->setChecked(true);
            QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet7"));
            QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Next >>"));
            wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
            wizard.NextBtn()->click();
            QVERIFY(mapping.ColumnsShown());

            // Another record type maps the columns afresh: an organization's title is the company.
            mapping.RecTypeCombo()->setCurrentIndex(1);
            QCOMPARE(mapping.ColumnCombos()[5]->currentText(), QStringLiteral("Title"));
            mapping.RecTypeCombo()->setCurrentIndex(0);
            QCOMPARE(mapping.ColumnCombos()[5]->currentText(), QStringLiteral("Company"));

            // Nothing to import while every column is ignored.
            const QStringList fields = mapping.ColumnFields();
            for (QComboBox* combo : mapping.ColumnCombos())
                combo->setCurrentIndex(0);
            QVERIFY(!wizard.NextBtn()->isEnabled());
            for (qsizetype column = 0; column < fields.size(); ++column)
                mapping.ColumnCombos()[column]->setCurrentText(fields[column].isEmpty() ? QStringLiteral("(ignored)")
                                                                                        : fields[column]);
            QVERIFY(wizard.NextBtn()->isEnabled());

            mapping.ColumnCombos()[11]->setCurrentText(QStringLiteral("(ignored)"));
            mapping.ColumnCombos()[5]->setCurrentText(QStringLiteral("Comment"));
            const QStringList ignored = PersonLacks({"Suffix"}) + QStringList{"Notes"};
            QCOMPARE(mapping.IgnoredColumns(), ignored);
            QCOMPARE(mapping.IgnoredLabel()->text(), IgnoredText(ignored));
            wizard.NextBtn()->click();
        });
        m_form->ImportBtnClick();
        QCOMPARE(FieldOf(*Find(friends, "Ann Lee")->Data(), "Comment"), QStringLiteral("Acme"));
        QCOMPARE(FieldOf(*Find(friends, "Bob Ray")->Data(), "Comment"), QString());
    }

    void withoutTheBoxTheFirstLineIsARow()
    {
        OpenMainWindow();
        WriteFile(m_dir->filePath("names.csv"), "First Name,Last Name\r\nAnn,Lee\r\n");
        TreeNode& friends = *Find(m_form->Tree().Root(), "Friends");
        m_form->SelectNode(friends);
        const QString csv = m_dir->filePath("names.csv");
        WhenWizardOpens([&](TImportWizard& wizard) {
            wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
            wizard.NextBtn()->click();
            Choose(wizard.MappingPage().ListBox1(), {"First Name", "Last Name"});
            wizard.MappingPage().CopyRtBtnClick();
            wizard.NextBtn()->click();
            wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
            wizard.NextBtn()->click();
        });
        m_form->ImportBtnClick();
        // Without a "Title" field each person is titled from its names.
        QCOMPARE(ChildTexts(friends), (QStringList{"Ann Lee", "First Name Last Name"}));
    }

    void aFileThatCannotBeOpenedForItsColumnsIsNamed()
    {
        TImportWizard wizard({});
        wizard.show();
        wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
        wizard.findChild<QPushButton*>(QStringLiteral("HeaderLineBtn"))->click();
        wizard.NextBtn()->click();
        QCOMPARE(m_told, QStringList{"Import Wizard: Choose the file to import."});
        const QString csv = m_dir->filePath("gone.csv");
        WriteFile(csv, OutlookExport);
        wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
        QFile::remove(csv);
        wizard.NextBtn()->click();
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet7"));
        QCOMPARE(m_told.size(), 2);
        QVERIFY(m_told[1].startsWith("Import Wizard: The import could not be completed; nothing was imported.\n"));
        QVERIFY(m_told[1].contains("gone.csv"));
    }

    // A first line of thousands of columns is refused before any widget is made for them; a long
    // list of ignored columns is cut short.
    void aFirstLineOfTooManyColumnsIsRefusedAndLongListsAreCutShort()
    {
        TImportWizard wizard({});
        wizard.show();
        wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
        wizard.findChild<QPushButton*>(QStringLiteral("HeaderLineBtn"))->click();
        const QString commas = m_dir->filePath("commas.csv");
        WriteFile(commas, "First Name,Last Name" + QByteArray(50000, ',') + "\nAnn,Lee\n");
        wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(commas);
        wizard.NextBtn()->click();
        QCOMPARE(wizard.ActivePage()->objectName(), QStringLiteral("TabSheet7"));
        QCOMPARE(m_told, QStringList{"Import Wizard: The first line of " + commas +
                                     " names more than 1024 fields (the most a row may have). Choose another file, "
                                     "or import it without taking the fields from its first line."});

        QByteArray names = "First Name,Last Name";
        for (int i = 1; i <= 30; ++i)
            names += ",Extra " + QByteArray::number(i);
        const QString many = m_dir->filePath("many.csv");
        WriteFile(many, names + "\nAnn,Lee\n");
        wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(many);
        wizard.NextBtn()->click();
        FieldMappingPage& mapping = wizard.MappingPage();
        QCOMPARE(wizard.ActivePage(), &mapping);
        QVERIFY(mapping.IgnoredLabel()->text().startsWith(QStringLiteral("Ignored columns: Extra 1, Extra 2, ")));
        QVERIFY(mapping.IgnoredLabel()->text().endsWith(QStringLiteral(", Extra 20 ... and 10 more")));
    }

    void aFileThatCannotBeReadIsReportedAndTheWizardStaysOpen()
    {
        OpenMainWindow();
        const QString before = ChildTexts(m_form->Tree().Root()).join(',');
        const QString cards = m_dir->filePath("gone.vcf");
        WriteFile(cards, ThreeCards);
        bool stayedOpen = false;
        WhenWizardOpens([&](TImportWizard& wizard) {
            wizard.ImportType()->setCurrentIndex(TImportWizard::VCardFile);
            wizard.NextBtn()->click();
            wizard.findChild<FileList*>(QStringLiteral("FileListBox3"))->SetFileName(cards);
            QFile::remove(cards);
            wizard.NextBtn()->click();
            stayedOpen = wizard.isVisible();
        });
        m_form->ImportBtnClick();
        QVERIFY(stayedOpen);
        QCOMPARE(m_told.size(), 1);
        QVERIFY(m_told[0].startsWith("Import Wizard: The import could not be completed; nothing was imported.\n"));
        QVERIFY(m_told[0].contains("gone.vcf"));
        QCOMPARE(ChildTexts(m_form->Tree().Root()).join(','), before);
    }

    void aCancelledImportLeavesTheTreeAsItWas()
    {
        OpenMainWindow();
        TreeNode& clients = *Find(m_form->Tree().Root(), "Clients");
        m_form->SelectNode(clients);
        const QString cards = m_dir->filePath("cards.vcf");
        WriteFile(cards, ThreeCards);
        // The user cancels the progress while the first card is being asked about.
        VCardQuestion::SetHook([](const QString&, const QString&) {
            auto* wizard = qobject_cast<TImportWizard*>(QApplication::activeModalWidget());
            if (QProgressDialog* progress = wizard ? wizard->findChild<QProgressDialog*>() : nullptr)
                progress->cancel();
            return true;
        });
        WhenWizardOpens([&](TImportWizard& wizard) {
            wizard.ImportType()->setCurrentIndex(TImportWizard::VCardFile);
            wizard.NextBtn()->click();
            wizard.findChild<FileList*>(QStringLiteral("FileListBox3"))->SetFileName(cards);
            wizard.NextBtn()->click();
        });
        m_form->ImportBtnClick();
        QCOMPARE(m_told, QStringList{"Import Wizard: The import was cancelled; nothing was imported."});
        QCOMPARE(ChildTexts(clients), QStringList{"Sonja Berg"});
    }

    void cardsNamedOnACommandLineComeIntoTheRoot()
    {
        OpenMainWindow();
        const QString cards = m_dir->filePath("three cards.vcf");
        WriteFile(cards, ThreeCards);
        QStringList asked;
        VCardQuestion::SetHook([&asked](const QString& name, const QString& organization) {
            asked.append(name + QLatin1Char('|') + organization);
            return true;
        });
        m_form->HandleCommandLine(QStringLiteral("quillary \"%1\"").arg(cards), false);
        QCOMPARE(asked, QStringList{"Sonja Berg|Acme Ltd"});
        TreeNode& root = m_form->Tree().Root();
        QStringList texts = ChildTexts(root);
        texts.sort();
        QCOMPARE(texts, (QStringList{"Acme Ltd", "Ann Lee", "Clients", "Friends", "John Doe"}));
        QCOMPARE(Find(root, "Acme Ltd")->Data()->GetKind(), int(KindOrganization));
        QCOMPARE(Find(root, "Ann Lee")->Data()->GetKind(), int(KindPerson));
        QCOMPARE(Find(root, "John Doe")->Data()->GetKind(), int(KindPerson));
        QVERIFY(m_told.isEmpty());

        // A file that is not there is reported, not thrown.
        m_form->HandleCommandLine(QStringLiteral("quillary %1").arg(m_dir->filePath("missing.vcf")), false);
        QCOMPARE(m_told.size(), 1);
        QVERIFY(m_told[0].contains("missing.vcf"));
        QCOMPARE(root.ChildCount(), 5);
    }

private:
    void OpenMainWindow()
    {
        WriteFile(m_dir->filePath("zelk.dat"), Sample);
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dir->filePath(QStringLiteral("zelk.dat")));
        m_form->show();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_told;
};

QTEST_MAIN(ImportWizardTest)
#include "import_wizard_test.moc"
