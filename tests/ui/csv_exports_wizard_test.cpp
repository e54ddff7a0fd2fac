// SPDX-License-Identifier: GPL-3.0-or-later
// Contact exports of today's programs (tests/core/data/csv_exports) through the wizards as a user
// drives them: imported with the first line as field names, every fact written by hand beside
// the file arrives; published as comma-separated values with field names and imported again into
// another data file, every fact comes back.
#include "desktop_window.h"

#include "support/contact_facts.h"

#include "model/item_tree.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"
#include "ui/wizards/export_wizard.h"
#include "ui/wizards/file_views.h"
#include "ui/wizards/folder_chooser.h"
#include "ui/wizards/import_wizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace quillary;

namespace {
const QString Exports = QStringLiteral(QUILLARY_TEST_DATA "/csv_exports/");

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs the steps on the modal wizard that start shows, from the event loop; a wizard the steps
// leave open is cancelled. Whether such a wizard opened.
template <typename Wizard> bool Drive(const std::function<void()>& start, const std::function<void(Wizard&)>& steps)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<Wizard*>(QApplication::activeModalWidget());
        if (!wizard)
            return;
        driven = true;
        steps(*wizard);
        if (wizard->isVisible())
            wizard->reject();
    });
    start();
    return driven;
}
} // namespace

class CsvExportsWizardTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFactArrivesAndComesBack_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"google_contacts", "outlook", "thunderbird"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyFactArrivesAndComesBack()
    {
        QFETCH(QString, name);
        const QString expected = ReadText(Exports + name + QStringLiteral(".facts"));
        QVERIFY(!expected.isEmpty());
        QTemporaryDir dir;
        m_dir = &dir;
        QDir::setCurrent(dir.path());
        QStringList told;
        Questions::SetHook([&told](const QString& caption, const QString& text) {
            told.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Ok;
        });
        const auto unhook = qScopeGuard([this] {
            Questions::SetHook({});
            m_form.reset();
        });

        OpenMainWindow(QStringLiteral("first"));
        ImportWithFieldNames(Exports + name + QStringLiteral(".csv"));
        QCOMPARE(told.size(), 1);
        QVERIFY(told[0].startsWith(QStringLiteral("Import Wizard: Made ")));
        QCOMPARE(QString::fromStdString(test::ContactFacts(m_form->Tree())), expected);

        const QString published = m_dir->filePath(QStringLiteral("published"));
        QDir().mkpath(published);
        PublishPersons(published, QStringLiteral("people.csv"));
        QVERIFY(QFile::exists(published + QStringLiteral("/people.csv")));

        OpenMainWindow(QStringLiteral("second"));
        ImportWithFieldNames(published + QStringLiteral("/people.csv"));
        QCOMPARE(QString::fromStdString(test::ContactFacts(m_form->Tree())), expected);
    }

private:
    // A main window on an empty data file of its own.
    void OpenMainWindow(const QString& folder)
    {
        m_form.reset();
        QDir(m_dir->path()).mkpath(folder);
        const QString data = m_dir->filePath(folder + QStringLiteral("/zelk.dat"));
        QFile file(data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n");
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(folder + QStringLiteral("/kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, data);
        m_form->show();
        m_form->SelectNode(m_form->Tree().Root());
    }

    void ImportWithFieldNames(const QString& csv)
    {
        const bool opened =
            Drive<TImportWizard>([this] { m_form->ImportBtnClick(); },
                                 [&](TImportWizard& wizard) {
                                     wizard.ImportType()->setCurrentIndex(TImportWizard::DelimitedText);
                                     wizard.NextBtn()->click();
                                     wizard.findChild<QPushButton*>(QStringLiteral("HeaderLineBtn"))->click();
                                     wizard.findChild<FileList*>(QStringLiteral("FileListBox2"))->SetFileName(csv);
                                     wizard.NextBtn()->click();
                                     QVERIFY(wizard.MappingPage().ColumnsShown());
                                     QCOMPARE(wizard.NextBtn()->text(), QStringLiteral("Finish"));
                                     wizard.NextBtn()->click();
                                 });
        QVERIFY(opened);
    }

    // Every person field, with field names, from the root.
    void PublishPersons(const QString& folder, const QString& name)
    {
        m_form->SelectNode(m_form->Tree().Root());
        const bool opened =
            Drive<TExportWizard>([this] { m_form->PublishBtnClick(); },
                                 [&](TExportWizard& wizard) {
                                     wizard.ExportType()->setCurrentIndex(TExportWizard::ExportCsv);
                                     wizard.NextBtn()->click();
                                     FieldMappingPage& fields = *wizard.TabSheet7();
                                     QCOMPARE(fields.RecTypeCombo()->currentText(), QStringLiteral("Person"));
                                     fields.ListBox1()->selectAll();
                                     fields.CopyRtBtnClick();
                                     QCOMPARE(fields.ListBox1()->count(), 0);
                                     wizard.NextBtn()->click();
                                     wizard.DirectoryListBox3()->SetDirectory(folder);
                                     wizard.Edit2()->setText(name);
                                     QVERIFY(wizard.FieldNamesCheck()->isChecked());
                                     wizard.NextBtn()->click();
                                 });
        QVERIFY(opened);
    }

    QTemporaryDir* m_dir = nullptr;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
};

QTEST_MAIN(CsvExportsWizardTest)
#include "csv_exports_wizard_test.moc"
