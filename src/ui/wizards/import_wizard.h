// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/csv_import.h"
#include "exchange/import_counts.h"
#include "shell/import_request.h"
#include "ui/wizards/field_mapping_page.h"
#include "ui/wizards/wizard_form.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace quillary {

class FileList;
class FolderChooser;
class PathLabel;
class TreeNode;

// What one run of the import wizard did, for the summary the main window shows.
struct ImportOutcome
{
    int type = 0; // the entry of the import type list
    ImportCounts counts;
    bool cancelled = false; // stopped by the user; the tree was put back as it was
};

// "Imported 12 items; 2 rows were rejected." and the like.
QString ImportSummary(const ImportOutcome& outcome);

// Brings other programs' data into the tree: an interchange file, a favorites folder, a
// bookmark or address-book page, a nickname file, a delimited text file or a vCard file. The
// first page chooses the type, which decides the pages that follow; Finish runs the import.
class TImportWizard : public TWizardForm
{
    Q_OBJECT

public:
    enum Type { InterchangeFile, Favorites, Bookmarks, AddressBook, Nicknames, DelimitedText, VCardFile };

    explicit TImportWizard(const FieldMappingPage::KindIcon& kindIcon, QWidget* parent = nullptr);

    // The node that receives the import; Label7 shows its path.
    void SetParent(TreeNode& node);

    QComboBox* ImportType() const { return m_importType; }
    void ImportTypeChange();
    // "Next >>" is offered everywhere but on the field page while no field is chosen.
    void PageChange();
    // The first-line choice of the text file page: with it the file page comes before the field
    // page, which then shows the file's columns.
    void HeaderLineChange();
    // The first focus of the favorites folder list jumps to the user's favorites.
    void DirectoryListBox1Enter();
    void NavDirListBoxChange();
    void NavAddrDirListChange();
    void EudoraDirListChange();

    // The choices as they stand, for the chosen type: the folder of a folder source, the file of
    // a file source (empty when none is chosen), the separator and the field mapping.
    Type ChosenType() const;
    QString ChosenDirectory() const;
    QString ChosenFile() const;
    bool TabSeparated() const;
    // How the text file is read: the record type, the fields of the list or of the columns, the
    // first-line choice, separator and encoding, with the core's rules applied
    // (TextImportSettings: without the first line "Detect" reads commas).
    CsvImportSettings TextSettings() const;
    FieldMappingPage& MappingPage() const { return *m_mapping; }
    QCheckBox* HeaderLineCheck() const { return m_headerLineCheck; }
    QComboBox* EncodingCombo() const { return m_encodingCombo; }
    // After Finish: what the import did.
    const std::optional<ImportOutcome>& Outcome() const { return m_outcome; }

protected:
    void NextBtnClick() override;
    void PrevBtnClick() override;
    bool FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    QWidget* StartPage();
    QWidget* FavoritesPage();
    QWidget* InterchangePage();
    QWidget* SourcePage(const QString& text, FolderChooser* folders, const QString& group, QLabel* found);
    QWidget* TextFilePage();
    QWidget* VCardPage(const QIcon& icon);
    // The import as the pages have chosen it, to be run on Finish (the organization-card question
    // and the progress are added then).
    ImportRequest Request() const;
    // Reads the chosen file's first line and shows its columns on the field page; false (after
    // telling the user) when no file is chosen or it cannot be opened.
    bool PreviewColumns();
    void RecordTypeChange();
    void TakeFieldsFromHeader();

    QComboBox* m_importType = nullptr;
    FolderChooser* m_directoryListBox1 = nullptr;
    FolderChooser* m_directoryListBox2 = nullptr;
    FolderChooser* m_navDirListBox = nullptr;
    FolderChooser* m_navAddrDirList = nullptr;
    FolderChooser* m_eudoraDirList = nullptr;
    FolderChooser* m_directoryListBox3 = nullptr;
    FolderChooser* m_directoryListBox4 = nullptr;
    FileList* m_fileListBox1 = nullptr;
    FileList* m_fileListBox2 = nullptr;
    FileList* m_fileListBox3 = nullptr;
    PathLabel* m_label3 = nullptr;
    PathLabel* m_label7 = nullptr;
    QLabel* m_label10 = nullptr;
    QLabel* m_label12 = nullptr;
    QLabel* m_label13 = nullptr;
    QComboBox* m_sepCharCombo = nullptr;
    QComboBox* m_encodingCombo = nullptr;
    QCheckBox* m_headerLineCheck = nullptr;
    QWidget* m_textFilePage = nullptr;
    FieldMappingPage* m_mapping = nullptr;

    TreeNode* m_destination = nullptr;
    bool m_firstEntry = true;
    bool m_skipNextPress = false;
    std::optional<ImportOutcome> m_outcome;
};

} // namespace quillary
