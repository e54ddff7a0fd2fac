// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/import_wizard.h"

#include "common/field_limits.h"
#include "common/file_error.h"
#include "exchange/bookmark_page.h"
#include "exchange/csv_import.h"
#include "exchange/nickname_file.h"
#include "exchange/source_file.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/node_path.h"
#include "platform/app_paths.h"
#include "platform/qt_icon_store.h"
#include "shell/import_request.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"
#include "ui/questions.h"
#include "ui/text_codec.h"
#include "ui/wizards/file_views.h"
#include "ui/wizards/folder_chooser.h"
#include "ui/wizards/vcard_import_dlg.h"
#include "ui/wizards/work_progress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace quillary {

namespace {
constexpr int ImportHelpContext = 1044;
const QString NoneFound = QStringLiteral("None Found");
const QString TextImportExplanation =
    QStringLiteral("This wizard will import records from a text file.  Each line of the text file must include one "
                   "record.  The fields on each line must be separated by a single comma or tab character.");

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QLabel* Text(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLabel* Bold(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// What a source page found in the chosen folder.
QLabel* FoundLabel(const QString& name, QWidget* parent)
{
    QLabel* label = Bold(Text(NoneFound, parent));
    label->setObjectName(name);
    return label;
}

FolderChooser* Chooser(const QString& name, QWidget* parent)
{
    auto* chooser = new FolderChooser(parent);
    chooser->setObjectName(name);
    return chooser;
}

QLabel* Picture(const QIcon& icon, int size, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(icon.pixmap(size, size));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

// A folder tree beside a file list with its filter list beneath.
QHBoxLayout* FolderAndFiles(FolderChooser* folders, FileList* files, FileFilterCombo* filters)
{
    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(files, 1);
    fileColumn->addWidget(filters);
    auto* row = new QHBoxLayout;
    row->addWidget(folders, 3);
    row->addLayout(fileColumn, 2);
    QObject::connect(folders, &FolderChooser::DirectoryChanged, files, &FileList::SetDirectory);
    return row;
}

// The user's favorites: a "Favorites" folder in the home folder when there is one, else home.
QString FavoritesDirectory()
{
    const QDir home = QDir::home();
    return home.exists(QStringLiteral("Favorites")) ? home.filePath(QStringLiteral("Favorites")) : home.path();
}

// The wizard's types list the formats in the core's order.
ImportFormat FormatOf(TImportWizard::Type type)
{
    static constexpr ImportFormat Formats[] = {
        ImportFormat::ItemFile,  ImportFormat::Favorites,     ImportFormat::Bookmarks, ImportFormat::AddressBook,
        ImportFormat::Nicknames, ImportFormat::DelimitedText, ImportFormat::VCard};
    return Formats[type];
}

// The title of the page in the folder, or "None Found"; an unreadable page counts as none.
QString PageTitle(const QString& directory, std::string_view name)
{
    const auto page = FindSourceFile(LocalPath(directory), name);
    if (!page)
        return NoneFound;
    try {
        return FromField(GetBMTitle(*page));
    } catch (const FileError&) {
        return NoneFound;
    }
}
} // namespace

QString ImportSummary(const ImportOutcome& outcome)
{
    if (outcome.cancelled)
        return QStringLiteral("The import was cancelled; nothing was imported.");
    return FromField(quillary::ImportSummary(outcome.counts));
}

TImportWizard::TImportWizard(const FieldMappingPage::KindIcon& kindIcon, QWidget* parent) : TWizardForm(parent)
{
    setObjectName(QStringLiteral("TImportWizard"));
    setWindowTitle(QStringLiteral("Import Wizard"));
    SetHelpContext(ImportHelpContext);
    m_directoryListBox1 = Chooser(QStringLiteral("DirectoryListBox1"), this);
    m_directoryListBox2 = Chooser(QStringLiteral("DirectoryListBox2"), this);
    m_navDirListBox = Chooser(QStringLiteral("NavDirListBox"), this);
    m_navAddrDirList = Chooser(QStringLiteral("NavAddrDirList"), this);
    m_eudoraDirList = Chooser(QStringLiteral("EudoraDirList"), this);
    m_directoryListBox3 = Chooser(QStringLiteral("DirectoryListBox3"), this);
    m_directoryListBox4 = Chooser(QStringLiteral("DirectoryListBox4"), this);
    m_label10 = FoundLabel(QStringLiteral("Label10"), this);
    m_label12 = FoundLabel(QStringLiteral("Label12"), this);
    m_label13 = FoundLabel(QStringLiteral("Label13"), this);
    m_mapping = new FieldMappingPage(FieldMappingPage::Direction::Import, kindIcon, this);

    AddPage(StartPage(), QStringLiteral("TabSheet1"));
    AddPage(FavoritesPage(), QStringLiteral("TabSheet2"));
    AddPage(InterchangePage(), QStringLiteral("TabSheet3"));
    AddPage(SourcePage(QStringLiteral("Netscape Navigator stores your Bookmarks in a file called \"bookmark.htm.\"  "
                                      "This file is normally located in the same directory as Navigator.  Select the "
                                      "directory below, and any Bookmark file residing there will be available for "
                                      "import."),
                       m_navDirListBox, QStringLiteral("Bookmark File"), m_label10),
            QStringLiteral("TabSheet4"));
    AddPage(SourcePage(QStringLiteral("Netscape Navigator stores your E-Mail Addresses in a file called "
                                      "\"address.htm.\"  This file is normally located in the same directory as "
                                      "Navigator.  Select the directory below, and any address file residing there "
                                      "will be available for import."),
                       m_navAddrDirList, QStringLiteral("Address File"), m_label12),
            QStringLiteral("TabSheet5"));
    AddPage(SourcePage(QStringLiteral("Eudora stores your E-Mail Addresses in a file called \"nndbase.txt.\"  This "
                                      "file is normally located in the same directory as Eudora.  Select the "
                                      "directory below, and any address file residing there will be available for "
                                      "import."),
                       m_eudoraDirList, QStringLiteral("Address File"), m_label13),
            QStringLiteral("TabSheet6"));
    AddPage(m_mapping, QStringLiteral("TabSheet8"));
    m_textFilePage = TextFilePage();
    AddPage(m_textFilePage, QStringLiteral("TabSheet7"));
    AddPage(VCardPage(kindIcon ? kindIcon(KindPerson) : QIcon()), QStringLiteral("TabSheet9"));

    connect(m_importType, &QComboBox::currentIndexChanged, this, &TImportWizard::ImportTypeChange);
    connect(m_mapping, &FieldMappingPage::ChosenFieldsChanged, this, &TImportWizard::PageChange);
    connect(m_mapping, &FieldMappingPage::HeaderLineRequested, this, &TImportWizard::TakeFieldsFromHeader);
    connect(m_mapping->RecTypeCombo(), &QComboBox::currentIndexChanged, this, &TImportWizard::RecordTypeChange);
    connect(m_headerLineCheck, &QCheckBox::toggled, this, &TImportWizard::HeaderLineChange);
    connect(m_directoryListBox1, &FolderChooser::DirectoryChanged, m_label3, &PathLabel::SetPath);
    connect(m_navDirListBox, &FolderChooser::DirectoryChanged, this, &TImportWizard::NavDirListBoxChange);
    connect(m_navAddrDirList, &FolderChooser::DirectoryChanged, this, &TImportWizard::NavAddrDirListChange);
    connect(m_eudoraDirList, &FolderChooser::DirectoryChanged, this, &TImportWizard::EudoraDirListChange);
    m_directoryListBox1->View()->installEventFilter(this);
    m_directoryListBox1->View()->viewport()->installEventFilter(this);

    // The favorites list starts in the working directory until its first focus; the others start
    // in the home folder, where the user's files are (the working directory is the program's
    // own data folder). The labels tell at once what lies there.
    m_directoryListBox1->SetDirectory(QDir::currentPath());
    for (FolderChooser* folders : {m_directoryListBox2, m_navDirListBox, m_navAddrDirList, m_eudoraDirList,
                                   m_directoryListBox3, m_directoryListBox4})
        folders->SetDirectory(QDir::homePath());
    // A little more than the classic 434 by 292, so the folder tree and the file list beside it
    // show whole names.
    resize(minimumSizeHint().expandedTo(QSize(500, 340)));
    FormShow();
}

QWidget* TImportWizard::StartPage()
{
    auto* page = new QWidget(this);
    m_importType = new QComboBox(page);
    m_importType->setObjectName(QStringLiteral("ImportType"));
    m_importType->addItems({QStringLiteral("Quillary File (*.ZKD)"),
                            QStringLiteral("Microsoft Internet Explorer Favorites (*.URL)"),
                            QStringLiteral("Netscape Bookmarks"), QStringLiteral("Netscape Address Book"),
                            QStringLiteral("Eudora Nicknames File"), QStringLiteral("Comma or Tab-Delimited Text"),
                            QStringLiteral("vCard File (*.VCF)")});
    auto* column = new QVBoxLayout;
    column->addWidget(Text(QStringLiteral("You can import bookmarks, e-mail addresses, and contacts from several "
                                          "different sources."),
                           page));
    column->addSpacing(8);
    column->addWidget(Text(QStringLiteral("Choose a file type below, and click the \"Next >>\" button to begin the "
                                          "import process."),
                           page));
    column->addSpacing(8);
    column->addWidget(m_importType);
    column->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(Picture(QtIconStore::ToolbarIcon(QStringLiteral("import")), 64, page));
    layout->addSpacing(8);
    layout->addLayout(column, 1);
    return page;
}

QWidget* TImportWizard::FavoritesPage()
{
    auto* page = new QWidget(this);
    m_label3 = new PathLabel(QStringLiteral("Label3"), page);
    m_label7 = new PathLabel(QStringLiteral("Label7"), page);
    auto* layout = new QGridLayout(page);
    layout->addWidget(Text(QStringLiteral("Select Directory to  Import:"), page), 0, 0);
    layout->addWidget(m_directoryListBox1, 1, 0, 5, 1);
    layout->addWidget(Text(QStringLiteral("Quillary will import all the Internet Shortcuts (*.url files) from this "
                                          "directory and its sub-directories."),
                           page),
                      1, 1);
    layout->addWidget(m_label3, 2, 1);
    layout->addWidget(Text(QStringLiteral("The imported URL's will be added to:"), page), 3, 1);
    layout->addWidget(m_label7, 4, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* TImportWizard::InterchangePage()
{
    auto* page = new QWidget(this);
    m_fileListBox1 = new FileList(QStringLiteral("FileListBox1"), {QStringLiteral("*.zkd")}, page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Text(QStringLiteral("Select a Quillary file to import to your database.  The contents of this "
                                          "file will be merged with the information already stored in your database."),
                           page));
    layout->addLayout(FolderAndFiles(m_directoryListBox2, m_fileListBox1,
                                     new FileFilterCombo(QStringLiteral("FilterComboBox1"),
                                                         QStringLiteral("Quillary File|*.zkd"), m_fileListBox1, page)),
                      1);
    return page;
}

QWidget* TImportWizard::SourcePage(const QString& text, FolderChooser* folders, const QString& group, QLabel* found)
{
    auto* page = new QWidget(this);
    auto* box = new QGroupBox(group, page);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(found);
    boxLayout->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(folders, 3);
    row->addWidget(box, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Text(text, page));
    layout->addLayout(row, 1);
    return page;
}

QWidget* TImportWizard::TextFilePage()
{
    auto* page = new QWidget(this);
    m_fileListBox2 = new FileList(QStringLiteral("FileListBox2"), {QStringLiteral("*.CSV")}, page);
    auto* filters =
        new FileFilterCombo(QStringLiteral("FilterComboBox2"),
                            QStringLiteral("Comma Separated (*.CSV)|*.CSV|Text Files (*.TXT)|*.TXT|All Files (*.*)|*"),
                            m_fileListBox2, page);
    m_headerLineCheck = new QCheckBox(QStringLiteral("&First line holds field names"), page);
    m_headerLineCheck->setObjectName(QStringLiteral("HeaderLineCheck"));
    m_sepCharCombo = new QComboBox(page);
    m_sepCharCombo->setObjectName(QStringLiteral("SepCharCombo"));
    m_sepCharCombo->addItem(QStringLiteral("Detect"), int(CsvSeparator::Auto));
    m_sepCharCombo->addItem(QStringLiteral("Comma"), int(CsvSeparator::Comma));
    m_sepCharCombo->addItem(QStringLiteral("Semicolon"), int(CsvSeparator::Semicolon));
    m_sepCharCombo->addItem(QStringLiteral("Tab"), int(CsvSeparator::Tab));
    m_encodingCombo = new QComboBox(page);
    m_encodingCombo->setObjectName(QStringLiteral("EncodingCombo"));
    m_encodingCombo->addItem(QStringLiteral("Detect"), int(TextEncoding::Auto));
    m_encodingCombo->addItem(QStringLiteral("UTF-8"), int(TextEncoding::Utf8));
    m_encodingCombo->addItem(QStringLiteral("UTF-16"), int(TextEncoding::Utf16));
    m_encodingCombo->addItem(QStringLiteral("Windows-1252"), int(TextEncoding::Cp1252));
    auto* separatorLabel = new QLabel(QStringLiteral("&Separator:"), page);
    separatorLabel->setBuddy(m_sepCharCombo);
    auto* encodingLabel = new QLabel(QStringLiteral("&Encoding:"), page);
    encodingLabel->setBuddy(m_encodingCombo);
    auto* reading = new QHBoxLayout;
    reading->addWidget(separatorLabel);
    reading->addWidget(m_sepCharCombo);
    reading->addSpacing(12);
    reading->addWidget(encodingLabel);
    reading->addWidget(m_encodingCombo);
    reading->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Text(TextImportExplanation, page));
    layout->addWidget(new QLabel(QStringLiteral("Select File to Import"), page));
    layout->addLayout(FolderAndFiles(m_directoryListBox3, m_fileListBox2, filters), 1);
    layout->addWidget(m_headerLineCheck);
    layout->addLayout(reading);
    setTabOrder(m_fileListBox2, filters);
    setTabOrder(filters, m_headerLineCheck);
    setTabOrder(m_headerLineCheck, m_sepCharCombo);
    setTabOrder(m_sepCharCombo, m_encodingCombo);
    return page;
}

QWidget* TImportWizard::VCardPage(const QIcon& icon)
{
    auto* page = new QWidget(this);
    m_fileListBox3 = new FileList(QStringLiteral("FileListBox3"), {QStringLiteral("*.vcf")}, page);
    auto* intro = new QHBoxLayout;
    intro->addWidget(Picture(icon, 32, page));
    intro->addWidget(Text(QStringLiteral("Quillary supports import of the vCard standard file format.  This format was "
                                         "developed by a consortium as a standard way of saving contact information, "
                                         "and has received broad industry support."),
                          page),
                     1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(intro);
    layout->addLayout(
        FolderAndFiles(m_directoryListBox4, m_fileListBox3,
                       new FileFilterCombo(QStringLiteral("FilterComboBox3"),
                                           QStringLiteral("vCard Files (*.vcf)|*.vcf"), m_fileListBox3, page)),
        1);
    return page;
}

void TImportWizard::FormShow()
{
    m_firstEntry = true;
    {
        const QSignalBlocker quiet(m_importType);
        m_importType->setCurrentIndex(0);
    }
    ImportTypeChange();
    m_mapping->FillRecordTypes();
    m_sepCharCombo->setCurrentIndex(0);
    m_encodingCombo->setCurrentIndex(0);
    m_headerLineCheck->setChecked(false);
}

void TImportWizard::SetParent(TreeNode& node)
{
    m_destination = &node;
    m_label7->SetPath(FromField(NodePath(node)));
}

void TImportWizard::ImportTypeChange()
{
    // The pages each type uses after the first; a text file whose first line names the fields is
    // chosen before its columns are mapped.
    static const QStringList Sequences[] = {
        {QStringLiteral("TabSheet3")}, {QStringLiteral("TabSheet2")},
        {QStringLiteral("TabSheet4")}, {QStringLiteral("TabSheet5")},
        {QStringLiteral("TabSheet6")}, {QStringLiteral("TabSheet8"), QStringLiteral("TabSheet7")},
        {QStringLiteral("TabSheet9")}};
    static const QStringList ColumnsSequence = {QStringLiteral("TabSheet7"), QStringLiteral("TabSheet8")};
    const bool columns = ChosenType() == DelimitedText && m_headerLineCheck->isChecked();
    SetSheets(QStringList{QStringLiteral("TabSheet1")} + (columns ? ColumnsSequence : Sequences[ChosenType()]));
}

void TImportWizard::HeaderLineChange()
{
    const QString shown = ActivePage()->objectName();
    if (!m_headerLineCheck->isChecked())
        m_mapping->ShowFieldLists();
    ImportTypeChange();
    GoToSheet(shown);
    PageChange();
}

void TImportWizard::TakeFieldsFromHeader()
{
    m_headerLineCheck->setChecked(true);
    GoToSheet(QStringLiteral("TabSheet7"));
    PageChange();
}

void TImportWizard::RecordTypeChange()
{
    // The columns map onto the new type's fields as a fresh look at the file finds them.
    if (m_mapping->ColumnsShown() && !PreviewColumns())
        m_mapping->ShowColumns(m_mapping->ColumnNames(), {});
}

void TImportWizard::PageChange()
{
    bool fields = true;
    if (ActivePage() == m_mapping)
        fields = m_mapping->AnyFieldChosen();
    else if (ActivePage() == m_textFilePage && !m_headerLineCheck->isChecked())
        fields = !m_mapping->ChosenFields().isEmpty();
    NextBtn()->setEnabled(fields);
}

void TImportWizard::NextBtnClick()
{
    if (ActivePage() == m_textFilePage && m_headerLineCheck->isChecked() && !PreviewColumns())
        return;
    TWizardForm::NextBtnClick();
    PageChange();
}

void TImportWizard::PrevBtnClick()
{
    TWizardForm::PrevBtnClick();
    PageChange();
}

void TImportWizard::DirectoryListBox1Enter()
{
    if (!m_firstEntry)
        return;
    m_firstEntry = false;
    m_directoryListBox1->SetDirectory(FavoritesDirectory());
}

bool TImportWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_directoryListBox1->View() && event->type() == QEvent::FocusIn && m_firstEntry) {
        // A click that brings the focus only jumps: it must not pick whatever folder the jump
        // moved under the pointer.
        m_skipNextPress = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        DirectoryListBox1Enter();
    } else if (watched == m_directoryListBox1->View()->viewport() && event->type() == QEvent::MouseButtonPress &&
               m_skipNextPress) {
        m_skipNextPress = false;
        return true;
    }
    return TWizardForm::eventFilter(watched, event);
}

void TImportWizard::NavDirListBoxChange()
{
    m_label10->setText(PageTitle(m_navDirListBox->Directory(), BookmarkFileName));
}

void TImportWizard::NavAddrDirListChange()
{
    m_label12->setText(PageTitle(m_navAddrDirList->Directory(), AddressFileName));
}

void TImportWizard::EudoraDirListChange()
{
    m_label13->setText(FindSourceFile(LocalPath(m_eudoraDirList->Directory()), NicknameFileName)
                           ? QStringLiteral("Found Eudora Address File in this directory")
                           : NoneFound);
}

TImportWizard::Type TImportWizard::ChosenType() const
{
    return static_cast<Type>(std::clamp(m_importType->currentIndex(), 0, static_cast<int>(VCardFile)));
}

QString TImportWizard::ChosenDirectory() const
{
    switch (ChosenType()) {
    case Favorites:
        return m_directoryListBox1->Directory();
    case Bookmarks:
        return m_navDirListBox->Directory();
    case AddressBook:
        return m_navAddrDirList->Directory();
    case Nicknames:
        return m_eudoraDirList->Directory();
    case InterchangeFile:
        return m_directoryListBox2->Directory();
    case DelimitedText:
        return m_directoryListBox3->Directory();
    case VCardFile:
        return m_directoryListBox4->Directory();
    }
    return {};
}

QString TImportWizard::ChosenFile() const
{
    switch (ChosenType()) {
    case InterchangeFile:
        return m_fileListBox1->FileName();
    case DelimitedText:
        return m_fileListBox2->FileName();
    case VCardFile:
        return m_fileListBox3->FileName();
    default:
        return {};
    }
}

bool TImportWizard::TabSeparated() const
{
    return m_sepCharCombo->currentData().toInt() == int(CsvSeparator::Tab);
}

CsvImportSettings TImportWizard::TextSettings() const
{
    CsvImportSettings chosen;
    chosen.kind = m_mapping->RecordKind();
    chosen.headerLine = m_headerLineCheck->isChecked();
    chosen.separator = static_cast<CsvSeparator>(m_sepCharCombo->currentData().toInt());
    chosen.encoding = static_cast<TextEncoding>(m_encodingCombo->currentData().toInt());
    for (const QString& field : chosen.headerLine ? m_mapping->ColumnFields() : m_mapping->ChosenFields())
        chosen.fields.push_back(ToField(field));
    return TextImportSettings(std::move(chosen));
}

ImportRequest TImportWizard::Request() const
{
    ImportRequest request;
    request.format = FormatOf(ChosenType());
    // The folder pages name the folder that holds the page; the file pages the file itself.
    request.pageInFolder = true;
    request.source = LocalPath(ReadsFolder(request.format, true) ? ChosenDirectory() : ChosenFile());
    // An interchange file and the browser and nickname pages come in beneath the root, the others
    // beneath the destination node.
    switch (ChosenType()) {
    case InterchangeFile:
    case Bookmarks:
    case AddressBook:
    case Nicknames:
        request.destination = &m_destination->Tree().Root();
        break;
    case Favorites:
    case DelimitedText:
    case VCardFile:
        request.destination = m_destination;
        break;
    }
    if (request.format == ImportFormat::DelimitedText)
        request.csv = TextSettings();
    if (request.format == ImportFormat::VCard)
        request.categories = ReadCategoryNames(TProfileFile(LocalPath(SettingsFilePath())));
    return request;
}

bool TImportWizard::FormClose()
{
    if (!m_destination)
        return true;
    // With no file chosen Finish imports nothing.
    if (!ReadsFolder(FormatOf(ChosenType()), true) && ChosenFile().isEmpty()) {
        m_outcome = ImportOutcome{ChosenType(), {}, false};
        return true;
    }
    ImportRequest request = Request();
    VCardQuestion question(this);
    request.orgCards = &question;
    ImportResult result;
    {
        // Long text and card imports show their progress, whose Cancel takes the import back.
        std::optional<WorkProgress> progress;
        if (ReportsProgress(request.format)) {
            progress.emplace(this, request.format == ImportFormat::VCard ? QStringLiteral("Importing vCards...")
                                                                         : QStringLiteral("Importing records..."));
            request.progress = progress->Callback();
        }
        result = RunImport(request);
    }
    if (result.Failed()) {
        Questions::Tell(this, QMessageBox::Critical, windowTitle(),
                        QStringLiteral("The import could not be completed; nothing was imported.\n%1")
                            .arg(QString::fromStdString(result.failure)));
        return false;
    }
    m_outcome = ImportOutcome{ChosenType(), result.counts, result.cancelled};
    return true;
}

bool TImportWizard::PreviewColumns()
{
    const QString file = ChosenFile();
    if (file.isEmpty()) {
        Questions::Tell(this, QMessageBox::Information, windowTitle(), QStringLiteral("Choose the file to import."));
        return false;
    }
    const auto preview = PreviewCSVFile(LocalPath(file), TextSettings());
    if (!preview) {
        Questions::Tell(
            this, QMessageBox::Critical, windowTitle(),
            QStringLiteral("The import could not be completed; nothing was imported.\n%1")
                .arg(QString::fromStdString(FileError(LocalPath(file), "The file could not be opened").what())));
        return false;
    }
    if (HeaderTooLong(*preview)) {
        Questions::Tell(this, QMessageBox::Warning, windowTitle(),
                        QStringLiteral("The first line of %1 names %2. Choose another file, or import it without "
                                       "taking the fields from its first line.")
                            .arg(file, FromField(TooManyFieldsReason())));
        return false;
    }
    QStringList names;
    for (const std::string& name : preview->header)
        names.append(FromField(name));
    QStringList fields;
    for (const std::string& field : preview->mapping.fields)
        fields.append(FromField(field));
    m_mapping->ShowColumns(names, fields);
    return true;
}

} // namespace quillary
