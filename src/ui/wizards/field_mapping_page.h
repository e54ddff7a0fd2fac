// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QListWidget;
class QToolButton;

namespace quillary {

// The page on which both wizards choose a record type and build the ordered list of fields a
// delimited text file holds: the type's fields on the left ("Available Fields"), the chosen
// ones on the right in file order, moved with two buttons and reordered by dragging.
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

signals:
    // The list of chosen fields changed (emptied, filled or reordered).
    void ChosenFieldsChanged();

private:
    QComboBox* m_recTypeCombo = nullptr;
    QListWidget* m_listBox1 = nullptr;
    QListWidget* m_listBox2 = nullptr;
    QToolButton* m_copyRtBtn = nullptr;
    QToolButton* m_copyLtBtn = nullptr;
};

} // namespace quillary
