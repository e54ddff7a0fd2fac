// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_layouts.h"
#include "ui/reports/report_preview.h"

#include <QDialog>
#include <QFont>

#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace quillary {

class InchEdit;
class ItemTree;
class TKPXObject;
class TreeNode;

// "Print Reports": the user picks one of five reports and its page settings, then previews or
// prints it. The main window keeps one dialog for the program's run, so every choice but the
// node and the delivery address stays from one opening to the next; the return address also
// outlives the run in "ret_addr.dat" of the working directory.
class TReportForm final : public QDialog
{
    Q_OBJECT

public:
    enum ReportType { PeopleList, Envelope, AddressBook, Labels, SimpleList };

    explicit TReportForm(QWidget* parent = nullptr);

    // Shows the dialog modally for node and its subtree; the envelope's delivery address is name
    // and address (none: empty). The tree must stay unchanged while the dialog is open.
    int Open(ItemTree& tree, TreeNode& node, const TKPXObject* address, const std::string& name);
    // What Open sets before showing: NodeId, Title2 and Delivery, and the node to print from.
    void SetSubject(ItemTree& tree, TreeNode& node, const TKPXObject* address, const std::string& name);

    // The chosen report's settings as read from the fields.
    ListOptions ListSettings() const;
    ListOptions SimpleListSettings() const;
    BookOptions BookSettings() const;
    LabelSheet ChosenLabelSheet() const;
    // The label type face; until the user chooses one, sized for five lines on the chosen label.
    ReportFont LabelFont() const;
    EnvelopeOptions EnvelopeSettings() const;
    // The chosen report for the preview and the printer, and whether it is printed landscape.
    // Needs a subject (SetSubject) for every report but the envelope.
    ReportMaker ChosenReport() const;
    bool ChosenLandscape() const;

    void done(int result) override;

private:
    QWidget* BuildPeoplePage();
    QWidget* BuildEnvelopePage();
    QWidget* BuildBookPage();
    QWidget* BuildLabelPage();
    QWidget* BuildSimplePage();
    QGroupBox* TypeFaceBox(QLabel*& sample, const QString& text, const char* sampleName, const char* button);
    void FormCreate();
    void FormClose();
    void RptTypeComboChange(int index);
    void LabelListClick();
    void ShowLabelFontSize();
    void ChooseFont(QWidget* target);
    void PreviewBtnClick();
    void PrintBtnClick();

    ItemTree* m_tree = nullptr;
    TreeNode* m_node = nullptr;
    QFont m_dialogFont;

    QLineEdit* m_nodeId = nullptr;
    QComboBox* m_rptType = nullptr;
    QStackedWidget* m_pages = nullptr;

    QLineEdit* m_title1 = nullptr;
    QRadioButton* m_portrait1 = nullptr;
    InchEdit* m_topMargin1 = nullptr;
    InchEdit* m_bottomMargin1 = nullptr;
    InchEdit* m_leftMargin1 = nullptr;
    QLabel* m_listText = nullptr;

    QComboBox* m_envSize = nullptr;
    QPlainTextEdit* m_return = nullptr;
    QCheckBox* m_saveRetAddr = nullptr;
    QCheckBox* m_omitRetAddr = nullptr;
    QPlainTextEdit* m_delivery = nullptr;

    QSpinBox* m_columns = nullptr;
    QRadioButton* m_portrait2 = nullptr;
    InchEdit* m_leftMargin2 = nullptr;
    InchEdit* m_gutter = nullptr;
    InchEdit* m_topMargin2 = nullptr;
    InchEdit* m_bottomMargin2 = nullptr;
    QLabel* m_bookText = nullptr;

    QListWidget* m_labelList = nullptr;
    InchEdit* m_topEdit = nullptr;
    InchEdit* m_sideEdit = nullptr;
    InchEdit* m_heightEdit = nullptr;
    InchEdit* m_widthEdit = nullptr;
    InchEdit* m_hPitchEdit = nullptr;
    InchEdit* m_vPitchEdit = nullptr;
    QSpinBox* m_numAcross = nullptr;
    QLabel* m_labelText = nullptr;
    bool m_labelFontChosen = false;

    QLineEdit* m_title2 = nullptr;
    QRadioButton* m_portrait3 = nullptr;
    InchEdit* m_topMargin3 = nullptr;
    InchEdit* m_bottomMargin3 = nullptr;
    InchEdit* m_leftMargin3 = nullptr;
    QLabel* m_simpListText = nullptr;
};

} // namespace quillary
