// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/export_wizard.h"

#include "common/file_error.h"
#include "exchange/csv_export.h"
#include "exchange/folder_vcards.h"
#include "exchange/publish_choices.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/node_path.h"
#include "model/tree_node.h"
#include "ui/questions.h"
#include "ui/text_codec.h"
#include "ui/wizards/background_preview.h"
#include "ui/wizards/folder_chooser.h"
#include "ui/wizards/work_progress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

namespace quillary {

namespace {

constexpr int PublishingHelpContext = 1045;

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString FromLocalPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// The file a page writes: its folder, a separator and the typed name, as typed.
QString FileIn(const FolderChooser* folder, const QLineEdit* name)
{
    return folder->Directory() + QLatin1Char('/') + name->text();
}

// From the last "." of the file name on; empty when the name has none.
QString Extension(const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString OpenPicture(QWidget* parent, const QString& folder)
{
    // Qt's dialog takes existing files only and leaves the working directory alone.
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        QStringLiteral("GIF Images (*.gif);;JPEG Images (*.jpg)"));
}

} // namespace

std::function<QString(QWidget*)> TExportWizard::PickBackground = [](QWidget* parent) {
    const auto* wizard = qobject_cast<const TExportWizard*>(parent);
    return OpenPicture(parent, wizard ? wizard->BackgroundsFolder() : QString());
};

TExportWizard::TExportWizard(const FieldMappingPage::KindIcon& kindIcon, QWidget* parent) : TWizardForm(parent)
{
    setWindowTitle(QStringLiteral("Publishing Wizard"));
    // Room for the folder trees and the longer texts of today's fonts.
    resize(540, 370);
    SetHelpContext(PublishingHelpContext);
    m_tabSheet7 = new FieldMappingPage(FieldMappingPage::Direction::Export, kindIcon, this);
    AddPage(BuildTypePage(), QStringLiteral("TabSheet1"));
    AddPage(BuildItemFilePage(), QStringLiteral("TabSheet2"));
    AddPage(BuildIndexPage(), QStringLiteral("TabSheet3"));
    AddPage(BuildGraphicsPage(), QStringLiteral("TabSheet4"));
    AddPage(BuildLinksPage(), QStringLiteral("TabSheet5"));
    AddPage(BuildSitePage(), QStringLiteral("TabSheet6"));
    AddPage(m_tabSheet7, QStringLiteral("TabSheet7"));
    AddPage(BuildCsvFilePage(), QStringLiteral("TabSheet8"));
    AddPage(BuildVCardPage(), QStringLiteral("TabSheet9"));

    // The folders start in the home folder: the working directory holds the program's own files.
    for (FolderChooser* folders : {m_directoryListBox1, m_directoryListBox2, m_directoryListBox3, m_directoryListBox4})
        folders->SetDirectory(QDir::homePath());

    connect(m_exportType, &QComboBox::currentIndexChanged, this, &TExportWizard::ExportTypeChange);
    connect(m_bkgComboBox, &QComboBox::currentTextChanged, this, &TExportWizard::BkgComboBoxChange);
    connect(m_browseBkgButton, &QPushButton::clicked, this, &TExportWizard::BrowseBkgButtonClick);
    for (QComboBox* colours : {m_textColorCombo, m_linkColorCombo})
        connect(colours, &QComboBox::currentIndexChanged, this, &TExportWizard::TextColorComboChange);
    connect(m_tabSheet7, &FieldMappingPage::ChosenFieldsChanged, this, &TExportWizard::PageChange);
}

void TExportWizard::SetParent(TreeNode& node)
{
    m_published = &node;
    const QString title = FromField(node.Text());
    m_label4->setText(FromField(NodePath(node)));
    m_edit1->setText(title + QStringLiteral(".zkd"));
    m_edit2->setText(title + QStringLiteral(".csv"));
    m_edit3->setText(title + QStringLiteral(".vcf"));
    m_startPageEdit->setText(title + QStringLiteral(".htm"));
    m_titleEdit->setText(title);
}

void TExportWizard::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    TWizardForm::showEvent(event);
}

void TExportWizard::FormShow()
{
    {
        const QSignalBlocker quiet(m_exportType);
        m_exportType->setCurrentIndex(ExportZkd);
    }
    ExportTypeChange();
    {
        const QSignalBlocker quietText(m_textColorCombo);
        const QSignalBlocker quietLink(m_linkColorCombo);
        m_textColorCombo->setCurrentText(QStringLiteral("Black"));
        m_linkColorCombo->setCurrentText(QStringLiteral("Navy"));
    }
    const std::filesystem::path working = LocalPath(QDir::currentPath());
    m_backgroundsFolder = FromLocalPath(WebBackgroundsFolder(working));
    m_iconsFolder = FromLocalPath(WebIconsFolder(working));
    m_previewBitmapFile.clear();
    DrawPreview();
    m_tabSheet7->FillRecordTypes();
    PageChange();
}

bool TExportWizard::HoldsCards() const
{
    // A folder, team, organization or the root gives the cards of every person beneath.
    return m_published && !CardParties(*m_published).empty();
}

void TExportWizard::KeepPages(std::initializer_list<const char*> names)
{
    QStringList kept;
    for (const char* name : names)
        kept.append(QString::fromLatin1(name));
    const QStringList sheets = VisibleSheets(); // RemoveSheet changes the list
    for (const QString& sheet : sheets)
        if (!kept.contains(sheet))
            RemoveSheet(sheet);
}

void TExportWizard::ExportTypeChange()
{
    if (m_exportType->currentIndex() == ExportVCard && !HoldsCards()) {
        Questions::Ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                       QStringLiteral("vCard publishing is only supported for Person and Organization items."),
                       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        const QSignalBlocker quiet(m_exportType);
        m_exportType->setCurrentIndex(ExportZkd);
    }
    ShowAllSheets();
    switch (m_exportType->currentIndex()) {
    case ExportHtml:
        KeepPages({"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6"});
        break;
    case ExportCsv:
        KeepPages({"TabSheet1", "TabSheet7", "TabSheet8"});
        break;
    case ExportVCard:
        KeepPages({"TabSheet1", "TabSheet9"});
        break;
    default:
        KeepPages({"TabSheet1", "TabSheet2"});
        break;
    }
}

void TExportWizard::PageChange()
{
    NextBtn()->setEnabled(ActivePage() != m_tabSheet7 || !m_tabSheet7->ChosenFields().isEmpty());
}

void TExportWizard::NextBtnClick()
{
    TWizardForm::NextBtnClick();
    PageChange();
}

void TExportWizard::PrevBtnClick()
{
    TWizardForm::PrevBtnClick();
    PageChange();
}

void TExportWizard::BkgComboBoxChange()
{
    const QString name = m_bkgComboBox->currentText();
    if (ToField(name) == NoBackground) {
        m_previewBitmapFile.clear();
        m_backgroundFile.reset();
    } else {
        m_previewBitmapFile = QDir(m_backgroundsFolder).filePath(name + QStringLiteral(".bmp"));
        const auto background = BackgroundFileFor(ToField(name), LocalPath(m_backgroundsFolder));
        m_backgroundFile = background ? std::optional(FromLocalPath(*background)) : std::nullopt;
    }
    DrawPreview();
}

void TExportWizard::BrowseBkgButtonClick()
{
    const QString file = PickBackground(this);
    if (file.isEmpty())
        return;
    m_backgroundFile = file;
    {
        // Showing the name is no choice of a shipped background.
        const QSignalBlocker quiet(m_bkgComboBox);
        m_bkgComboBox->setEditText(QFileInfo(file).fileName());
    }
    m_previewBitmapFile.clear();
    DrawPreview();
}

void TExportWizard::TextColorComboChange()
{
    DrawPreview();
}

void TExportWizard::DrawPreview()
{
    m_preview = DrawBackgroundPreview(m_previewBitmapFile, HtmlColour(m_textColorCombo->currentText()),
                                      HtmlColour(m_linkColorCombo->currentText()));
    m_bkgImage->setPixmap(QPixmap::fromImage(m_preview));
}

PublishSettings TExportWizard::HtmlSettings() const
{
    PublishSettings settings;
    settings.mainFile = LocalPath(FileIn(m_directoryListBox2, m_startPageEdit));
    settings.pageTitle = ToField(m_titleEdit->text());
    settings.frames = m_framesCheckBox->isChecked();
    settings.levels = m_levelsEdit->value();
    if (m_backgroundFile)
        settings.background = LocalPath(*m_backgroundFile);
    settings.textColour = ToField(m_textColorCombo->currentText());
    settings.linkColour = ToField(m_linkColorCombo->currentText());
    settings.includeItemFile = m_includeZKD->isChecked();
    settings.includeVCards = m_includeVCard->isChecked();
    settings.vcardVersion = static_cast<VCardVersion>(m_linkVersionCombo->currentData().toInt());
    settings.iconsFolder = LocalPath(m_iconsFolder);
    return settings;
}

bool TExportWizard::FormClose()
{
    if (!m_published)
        return true;
    try {
        switch (m_exportType->currentIndex()) {
        case ExportHtml:
            return PublishSite();
        case ExportCsv:
            return WriteCsvFile();
        case ExportVCard:
            return WriteVCardFile();
        default:
            return WriteItemFile();
        }
    } catch (const FileError& error) {
        // The wizard stays open, so another folder or name can be tried.
        Questions::Tell(
            this, QMessageBox::Critical, QStringLiteral("Publishing Wizard"),
            QStringLiteral("The export could not be written.\n%1").arg(QString::fromLocal8Bit(error.what())));
        return false;
    }
}

bool TExportWizard::HasExtension(const QString& file, const QString& extension, QLineEdit* edit)
{
    if (Extension(file).compare(extension, Qt::CaseInsensitive) == 0)
        return true;
    Questions::Tell(this, QMessageBox::Critical, QStringLiteral("Check Filename"),
                    QStringLiteral("The exported filename needs to have an extension of \"%1\"").arg(extension));
    edit->setFocus();
    return false;
}

bool TExportWizard::WriteItemFile()
{
    const QString file = FileIn(m_directoryListBox1, m_edit1);
    if (!HasExtension(file, QStringLiteral(".zkd"), m_edit1))
        return false;
    WriteSubtree(*m_published, LocalPath(file));
    return true;
}

bool TExportWizard::PublishSite()
{
    WorkProgress progress(this, QStringLiteral("Publishing..."));
    if (!PublishHTML(*m_published, HtmlSettings(), progress.Callback()))
        Questions::Tell(this, QMessageBox::Information, QStringLiteral("Publishing Wizard"),
                        QStringLiteral("Publishing was cancelled before the pages were complete."));
    return true;
}

bool TExportWizard::WriteCsvFile()
{
    CsvExportFields columns;
    for (const QString& field : m_tabSheet7->ChosenFields())
        columns.fields.push_back(ToField(field));
    columns.kind = m_tabSheet7->RecordKind();
    columns.header = m_fieldNamesCheck->isChecked();
    WriteSubtree(*m_published, LocalPath(FileIn(m_directoryListBox3, m_edit2)), columns);
    return true;
}

bool TExportWizard::WriteVCardFile()
{
    const QString file = FileIn(m_directoryListBox4, m_edit3);
    if (!HasExtension(file, QStringLiteral(".vcf"), m_edit3))
        return false;
    WriteVCardsFile(*m_published, LocalPath(file),
                    static_cast<VCardVersion>(m_vcardVersionCombo->currentData().toInt()));
    return true;
}

} // namespace quillary
