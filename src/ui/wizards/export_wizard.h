// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/html_publish.h"
#include "ui/wizards/field_mapping_page.h"
#include "ui/wizards/wizard_form.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quillary {

class FolderChooser;
class TreeNode;

// The Publishing Wizard: writes the node chosen in the main window, with everything below it,
// as an interchange file, a small web site, a comma-separated file or a vCard file. The pages
// only collect the choices; the formats are written by core.
class TExportWizard : public TWizardForm
{
    Q_OBJECT

public:
    // The entries of the file type drop-down.
    enum ExportTypeIndex { ExportZkd = 0, ExportHtml = 1, ExportCsv = 2, ExportVCard = 3 };

    explicit TExportWizard(const FieldMappingPage::KindIcon& kindIcon = {}, QWidget* parent = nullptr);

    // The node to publish, with the file names and page title preset from its text.
    void SetParent(TreeNode& node);
    // The state every run starts in: the first type, default colours, the graphics folders of
    // the working directory, the preview and the record types.
    void FormShow();
    // Refuses the vCard type for anything but a person or organization, then lays out the pages
    // the type uses.
    void ExportTypeChange();
    // "Next >>" is enabled everywhere except on the field page while no field is chosen.
    void PageChange();
    void BkgComboBoxChange();
    void BrowseBkgButtonClick();
    // Serves both colour lists.
    void TextColorComboChange();

    // Asks for a picture file of one's own for "Browse..."; empty when cancelled (tests replace it).
    static std::function<QString(QWidget* parent)> PickBackground;

    // The controls, so the wizard's state can be read and set without clicking (tests, help).
    QComboBox* ExportType() const { return m_exportType; }
    QLabel* Label4() const { return m_label4; }
    FolderChooser* DirectoryListBox1() const { return m_directoryListBox1; }
    FolderChooser* DirectoryListBox2() const { return m_directoryListBox2; }
    FolderChooser* DirectoryListBox3() const { return m_directoryListBox3; }
    FolderChooser* DirectoryListBox4() const { return m_directoryListBox4; }
    QLineEdit* Edit1() const { return m_edit1; }
    QLineEdit* Edit2() const { return m_edit2; }
    QLineEdit* Edit3() const { return m_edit3; }
    QLineEdit* StartPageEdit() const { return m_startPageEdit; }
    QLineEdit* TitleEdit() const { return m_titleEdit; }
    QSpinBox* LevelsEdit() const { return m_levelsEdit; }
    QCheckBox* FramesCheckBox() const { return m_framesCheckBox; }
    QComboBox* BkgComboBox() const { return m_bkgComboBox; }
    QPushButton* BrowseBkgButton() const { return m_browseBkgButton; }
    QComboBox* TextColorCombo() const { return m_textColorCombo; }
    QComboBox* LinkColorCombo() const { return m_linkColorCombo; }
    QCheckBox* IncludeZKD() const { return m_includeZKD; }
    QCheckBox* IncludeVCard() const { return m_includeVCard; }
    QCheckBox* FieldNamesCheck() const { return m_fieldNamesCheck; }
    // The vCard version of the vCard file, and of the site's cards (enabled while they are linked).
    QComboBox* VCardVersionCombo() const { return m_vcardVersionCombo; }
    QComboBox* LinkVersionCombo() const { return m_linkVersionCombo; }
    FieldMappingPage* TabSheet7() const { return m_tabSheet7; }

    QString BackgroundsFolder() const { return m_backgroundsFolder; }
    QString IconsFolder() const { return m_iconsFolder; }
    QString PreviewBitmapFile() const { return m_previewBitmapFile; }
    std::optional<QString> BackgroundFile() const { return m_backgroundFile; }
    // The picture BkgImage shows.
    QImage Preview() const { return m_preview; }
    // What the HTML pages collected, for the main page in the chosen folder.
    PublishSettings HtmlSettings() const;

protected:
    void showEvent(QShowEvent* event) override;
    void NextBtnClick() override;
    void PrevBtnClick() override;
    bool FormClose() override;

private:
    QWidget* BuildTypePage();
    QWidget* BuildItemFilePage();
    QWidget* BuildIndexPage();
    QWidget* BuildGraphicsPage();
    QWidget* BuildLinksPage();
    QWidget* BuildSitePage();
    QWidget* BuildCsvFilePage();
    QWidget* BuildVCardPage();
    void DrawPreview();
    void KeepPages(std::initializer_list<const char*> names);
    bool HoldsCards() const;

    // The work of Finish for each type; false keeps the wizard open.
    bool WriteItemFile();
    bool PublishSite();
    bool WriteCsvFile();
    bool WriteVCardFile();
    // The extension check of the interchange and vCard names: an error and the focus back to edit.
    bool HasExtension(const QString& file, const QString& extension, QLineEdit* edit);

    TreeNode* m_published = nullptr;
    QString m_backgroundsFolder;
    QString m_iconsFolder;
    QString m_previewBitmapFile;
    std::optional<QString> m_backgroundFile;
    QImage m_preview;

    QComboBox* m_exportType = nullptr;
    QLabel* m_label4 = nullptr;
    FolderChooser* m_directoryListBox1 = nullptr;
    FolderChooser* m_directoryListBox2 = nullptr;
    FolderChooser* m_directoryListBox3 = nullptr;
    FolderChooser* m_directoryListBox4 = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QLineEdit* m_edit3 = nullptr;
    QLineEdit* m_startPageEdit = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QSpinBox* m_levelsEdit = nullptr;
    QCheckBox* m_framesCheckBox = nullptr;
    QComboBox* m_bkgComboBox = nullptr;
    QPushButton* m_browseBkgButton = nullptr;
    QComboBox* m_textColorCombo = nullptr;
    QComboBox* m_linkColorCombo = nullptr;
    QLabel* m_bkgImage = nullptr;
    QCheckBox* m_includeZKD = nullptr;
    QCheckBox* m_includeVCard = nullptr;
    QCheckBox* m_fieldNamesCheck = nullptr;
    QComboBox* m_vcardVersionCombo = nullptr;
    QComboBox* m_linkVersionCombo = nullptr;
    FieldMappingPage* m_tabSheet7 = nullptr;
};

} // namespace quillary
