// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the Publishing Wizard: controls and texts only, the handlers are in export_wizard.cpp.
#include "exchange/publish_choices.h"
#include "exchange/vcard_version.h"
#include "platform/qt_icon_store.h"
#include "ui/plain_text.h"
#include "ui/widgets/editable_combo.h"
#include "ui/wizards/background_preview.h"
#include "ui/wizards/export_wizard.h"
#include "ui/wizards/folder_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillary {

namespace {

template <typename W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Text(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel* Heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

QLineEdit* Edit(const char* name, QWidget* parent)
{
    return Named(new QLineEdit(parent), name);
}

QComboBox* ColourList(const char* name, QWidget* parent)
{
    auto* combo = Named(new QComboBox(parent), name);
    for (std::string_view colour : ColourNames())
        combo->addItem(QString::fromLatin1(colour.data(), static_cast<qsizetype>(colour.size())));
    return combo;
}

// "2.1", "3.0" and "4.0", each with its version as data; 2.1 chosen.
QComboBox* VersionList(const char* name, QWidget* parent)
{
    auto* combo = Named(new QComboBox(parent), name);
    for (VCardVersion version : {VCardVersion::V21, VCardVersion::V30, VCardVersion::V40}) {
        const std::string_view text = VCardVersionText(version);
        combo->addItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), int(version));
    }
    return combo;
}

// "vCard version:" and its list on one line.
QHBoxLayout* VersionRow(QComboBox* versions, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("v&Card version:"), parent);
    label->setBuddy(versions);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(versions);
    row->addStretch();
    return row;
}

// A labelled control: the label above it, its buddy.
QVBoxLayout* Labelled(const QString& caption, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(label);
    column->addWidget(control);
    return column;
}

// The folder tree on the left (under its caption when it has one), the page's other controls on
// the right.
QHBoxLayout* BesideFolders(const QString& caption, FolderChooser* folders, QLayout* right, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    if (caption.isEmpty()) {
        row->addWidget(folders, 1);
    } else {
        auto* left = Labelled(caption, folders, parent);
        left->setStretch(1, 1);
        row->addLayout(left, 1);
    }
    row->addLayout(right, 1);
    return row;
}

} // namespace

QWidget* TExportWizard::BuildTypePage()
{
    auto* page = new QWidget(this);
    auto* picture = new QLabel(page);
    picture->setPixmap(QtIconStore::ToolbarIcon(QStringLiteral("publish")).pixmap(QSize(96, 96)));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picture->setFixedWidth(112);

    m_label4 = AsPlainText(Named(new QLabel(page), "Label4"));
    m_label4->setWordWrap(true);
    QFont bold = m_label4->font();
    bold.setBold(true);
    m_label4->setFont(bold);
    m_exportType = Named(new QComboBox(page), "ExportType");
    for (const char* type :
         {"Quillary File (.ZKD)", "HTML File (.HTM)", "Comma-separated Values (.CSV)", "vCard File (.VCF)"})
        m_exportType->addItem(QString::fromLatin1(type));

    auto* texts = new QVBoxLayout;
    texts->addWidget(Text(QStringLiteral("You can publish any portion of your database to any of the standard file "
                                         "types listed below."),
                          page));
    texts->addSpacing(8);
    texts->addWidget(Text(QStringLiteral("This Wizard will export all items and sub-items of:"), page));
    texts->addWidget(m_label4);
    texts->addSpacing(8);
    texts->addWidget(Text(QStringLiteral("Choose a file type below, and click the \"Next >>\" button to begin the "
                                         "export process."),
                          page));
    texts->addWidget(m_exportType);
    texts->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(picture);
    layout->addLayout(texts, 1);
    return page;
}

QWidget* TExportWizard::BuildItemFilePage()
{
    auto* page = new QWidget(this);
    m_directoryListBox1 = Named(new FolderChooser(page), "DirectoryListBox1");
    m_edit1 = Edit("Edit1", page);
    auto* right = new QVBoxLayout;
    right->addWidget(Text(QStringLiteral("Select the drive and directory where you want to export your Quillary data "
                                         "file, and type the desired name for the file below."),
                          page));
    right->addSpacing(8);
    right->addLayout(Labelled(QStringLiteral("Filename"), m_edit1, page));
    right->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(BesideFolders(QStringLiteral("Select directory:"), m_directoryListBox1, right, page));
    return page;
}

QWidget* TExportWizard::BuildIndexPage()
{
    auto* page = new QWidget(this);
    m_levelsEdit = Named(new QSpinBox(page), "LevelsEdit");
    m_levelsEdit->setRange(0, 9);
    m_levelsEdit->setValue(0);
    m_framesCheckBox = Named(new QCheckBox(QStringLiteral("Use Frames"), page), "FramesCheckBox");
    m_framesCheckBox->setChecked(true);

    auto* levels = new QHBoxLayout;
    auto* levelsText = Text(QStringLiteral("Choose the maximum number of levels to include in your index.  A value of "
                                           "zero will include all levels."),
                            page);
    levelsText->setBuddy(m_levelsEdit);
    levels->addWidget(levelsText, 1);
    levels->addWidget(m_levelsEdit, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(QStringLiteral("Index"), page));
    layout->addWidget(Text(QStringLiteral("The HTML Publishing Wizard will automatically create an index for all the "
                                          "entries that appear in your HTML file.  This will look very similar to the "
                                          "left side of Quillary's main window."),
                           page));
    layout->addSpacing(6);
    layout->addLayout(levels);
    layout->addSpacing(6);
    layout->addWidget(Text(QStringLiteral("Choose 'Use Frames' if you will be using a Frames-compatible Web Browser, "
                                          "like Netscape Navigator or Internet Explorer.  If you do not use frames, "
                                          "the index will appear at the top of the page instead of in its own "
                                          "window."),
                           page));
    layout->addWidget(m_framesCheckBox);
    layout->addStretch();
    return page;
}

QWidget* TExportWizard::BuildGraphicsPage()
{
    auto* page = new QWidget(this);
    m_bkgComboBox = Named(new QComboBox(page), "BkgComboBox");
    MakeEditable(*m_bkgComboBox);
    m_bkgComboBox->setInsertPolicy(QComboBox::NoInsert);
    m_bkgComboBox->addItem(QString::fromLatin1(NoBackground.data(), static_cast<qsizetype>(NoBackground.size())));
    for (std::string_view name : BackgroundNames())
        m_bkgComboBox->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    m_browseBkgButton = Named(new QPushButton(QStringLiteral("Browse..."), page), "BrowseBkgButton");
    m_browseBkgButton->setAutoDefault(false);
    m_textColorCombo = ColourList("TextColorCombo", page);
    m_linkColorCombo = ColourList("LinkColorCombo", page);
    m_bkgImage = Named(new QLabel(page), "BkgImage");
    m_bkgImage->setFixedSize(BackgroundPreviewSize);
    m_bkgImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* background = new QHBoxLayout;
    background->addWidget(m_bkgComboBox, 1);
    background->addWidget(m_browseBkgButton);
    auto* colours = new QHBoxLayout;
    colours->addLayout(Labelled(QStringLiteral("Normal Text"), m_textColorCombo, page));
    colours->addLayout(Labelled(QStringLiteral("Links"), m_linkColorCombo, page));
    auto* left = new QVBoxLayout;
    left->addWidget(Text(QStringLiteral("Choose a background image to appear in your HTML pages."), page));
    left->addLayout(background);
    left->addSpacing(8);
    left->addWidget(Text(QStringLiteral("Choose the default text colors:"), page));
    left->addLayout(colours);
    left->addStretch();
    auto* preview = new QGroupBox(QStringLiteral("Preview"), page);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(m_bkgImage, 0, Qt::AlignCenter);

    auto* row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addWidget(preview, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(QStringLiteral("Graphics"), page));
    layout->addLayout(row, 1);
    return page;
}

QWidget* TExportWizard::BuildLinksPage()
{
    auto* page = new QWidget(this);
    m_includeZKD = Named(new QCheckBox(QStringLiteral("Include link for all contents (ZKD file)"), page), "IncludeZKD");
    m_includeVCard = Named(
        new QCheckBox(QStringLiteral("Include links for individual person/organization records (vCard file)"), page),
        "IncludeVCard");
    for (QCheckBox* check : {m_includeZKD, m_includeVCard})
        check->setChecked(true);
    m_linkVersionCombo = VersionList("LinkVersionCombo", page);
    connect(m_includeVCard, &QCheckBox::toggled, m_linkVersionCombo, &QWidget::setEnabled);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(QStringLiteral("Downloadable Links"), page));
    layout->addWidget(Text(QStringLiteral("You can include links in your HTML page to allow downloading of individual "
                                          "records, or the entire contents of the page.  When you click on one of "
                                          "these links in your Web Browser, the information is automatically added "
                                          "to your Quillary database."),
                           page));
    layout->addSpacing(8);
    layout->addWidget(m_includeZKD);
    layout->addWidget(m_includeVCard);
    auto* version = VersionRow(m_linkVersionCombo, page);
    version->insertSpacing(0, 20); // under the check box's text: it belongs to that choice
    layout->addLayout(version);
    layout->addStretch();
    return page;
}

QWidget* TExportWizard::BuildSitePage()
{
    auto* page = new QWidget(this);
    m_directoryListBox2 = Named(new FolderChooser(page), "DirectoryListBox2");
    m_startPageEdit = Edit("StartPageEdit", page);
    m_titleEdit = Edit("TitleEdit", page);
    auto* right = new QVBoxLayout;
    right->addLayout(Labelled(QStringLiteral("Name for main page file:"), m_startPageEdit, page));
    right->addSpacing(8);
    right->addLayout(Labelled(QStringLiteral("Title of page:"), m_titleEdit, page));
    right->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Text(QStringLiteral("You are now ready to create your HTML (and associated) files.  Select the "
                                          "directory where you would like to have the files created, and enter a "
                                          "title and filename."),
                           page));
    layout->addLayout(BesideFolders(QString(), m_directoryListBox2, right, page), 1);
    return page;
}

QWidget* TExportWizard::BuildCsvFilePage()
{
    auto* page = new QWidget(this);
    m_directoryListBox3 = Named(new FolderChooser(page), "DirectoryListBox3");
    m_edit2 = Edit("Edit2", page);
    m_fieldNamesCheck =
        Named(new QCheckBox(QStringLiteral("Include field names as first line"), page), "FieldNamesCheck");
    m_fieldNamesCheck->setChecked(true);
    auto* right = new QVBoxLayout;
    right->addLayout(Labelled(QStringLiteral("Filename"), m_edit2, page));
    right->addSpacing(8);
    right->addWidget(m_fieldNamesCheck);
    right->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Text(QStringLiteral("To begin the export, select a directory and filename below."), page));
    layout->addLayout(BesideFolders(QString(), m_directoryListBox3, right, page), 1);
    return page;
}

QWidget* TExportWizard::BuildVCardPage()
{
    auto* page = new QWidget(this);
    m_directoryListBox4 = Named(new FolderChooser(page), "DirectoryListBox4");
    m_edit3 = Edit("Edit3", page);
    m_edit3->setAccessibleName(QStringLiteral("File name"));
    m_vcardVersionCombo = VersionList("VCardVersionCombo", page);
    auto* right = new QVBoxLayout;
    right->addWidget(Text(QStringLiteral("Select the drive and directory where you want to export your vCard file, "
                                         "and type the desired name for the file below."),
                          page));
    right->addSpacing(8);
    right->addWidget(m_edit3);
    right->addSpacing(8);
    right->addLayout(VersionRow(m_vcardVersionCombo, page));
    right->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(BesideFolders(QStringLiteral("Select directory:"), m_directoryListBox4, right, page));
    return page;
}

} // namespace quillary
