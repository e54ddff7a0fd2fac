// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace quillary {

// The page on which both wizards choose a record type and build the ordered list of fields a
// delimited text file holds: the type's fields on the left ("Available Fields"), the chosen
// ones on the right in file order, moved with two buttons and reordered by dragging. For a file
// whose first line names its columns the import shows the columns instead, each beside the field
// it fills.
class FieldMappingPage : public QWidget
{
    Q_OBJECT

public:
    enum class Direction { Import, Export };
    using KindIcon = std::function<QIcon(int kind)>;
    FieldMappingPage(Direction direction, const KindIcon& kindIcon, QWidget* parent = nullptr);

    // Fills the record types and selects the first, with its fields available.
    void FillRecordTypes();
    int RecordKind() const;
    QStringList AvailableFields() const;
    QStringList ChosenFields() const;

    QComboBox* RecTypeCombo() const { return m_recTypeCombo; }
    QListWidget* ListBox1() const { return m_listBox1; }
    QListWidget* ListBox2() const { return m_listBox2; }

    // Empties both lists and offers the chosen type's fields.
    void RecTypeComboChange();
    // The selected available fields go to the top of the chosen ones, in their order.
    void CopyRtBtnClick();
    // The selected chosen field goes back to the top of the available ones.
    void CopyLtBtnClick();

    // Shows the columns of a file in place of the two lists: each column's name beside the field
    // it fills, chosen from "(ignored)" and the fields the record type's columns can fill
    // (ImportFields: its own, and for persons and organizations labels and dates too). fields
    // holds per column a field name or empty; a name the type does not offer counts as ignored.
    // Several columns may fill one field.
    void ShowColumns(const QStringList& names, const QStringList& fields);
    // Back to the two lists.
    void ShowFieldLists();
    bool ColumnsShown() const;
    QStringList ColumnNames() const { return m_columnNames; }
    // Per column, the field it fills, or empty when it is ignored.
    QStringList ColumnFields() const;
    // The names of the ignored columns in file order; "column N" for a column without a name.
    QStringList IgnoredColumns() const;
    // Whether the import would fill any field: a chosen field, or a column that fills one.
    bool AnyFieldChosen() const;
    const QList<QComboBox*>& ColumnCombos() const { return m_columnCombos; }
    QLabel* IgnoredLabel() const { return m_ignoredLabel; }

signals:
    // The list of chosen fields changed (emptied, filled or reordered), or a column's field did.
    void ChosenFieldsChanged();
    // The import's user asked to name the fields from the file's first line instead.
    void HeaderLineRequested();

private:
    QWidget* FieldListsPanel(bool importing);
    QWidget* ColumnsPanel();
    void ShowIgnored();

    QString m_listsExplanation;
    QLabel* m_explanation = nullptr;
    QStackedWidget* m_modes = nullptr;
    QScrollArea* m_columnArea = nullptr;
    QLabel* m_ignoredLabel = nullptr;
    QStringList m_columnNames;
    QList<QComboBox*> m_columnCombos;
    QComboBox* m_recTypeCombo = nullptr;
    QListWidget* m_listBox1 = nullptr;
    QListWidget* m_listBox2 = nullptr;
    QToolButton* m_copyRtBtn = nullptr;
    QToolButton* m_copyLtBtn = nullptr;
};

} // namespace quillary
