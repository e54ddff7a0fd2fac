// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/field_mapping_page.h"

#include "exchange/record_types.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillary {

namespace {
QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Moves the selected rows of `from`, last to first, to the top of `to`: they arrive in their
// former order above what was there.
void MoveSelected(QListWidget* from, QListWidget* to)
{
    for (int row = from->count() - 1; row >= 0; --row)
        if (from->item(row)->isSelected())
            to->insertItem(0, from->takeItem(row)->text());
}

QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}
} // namespace

FieldMappingPage::FieldMappingPage(Direction direction, const KindIcon& kindIcon, QWidget* parent) : QWidget(parent)
{
    const bool importing = direction == Direction::Import;
    auto* explanation = new QLabel(
        importing ? QStringLiteral("This wizard will import records from a text file.  Each line of the text file must "
                                   "include one record.  The fields on each line must be separated by a single comma "
                                   "or tab character.")
                  : QStringLiteral("This wizard will export records to a comma-delimited text file.  Each line of the "
                                   "text file will include one record, and the fields will be separated by a comma."),
        this);
    explanation->setWordWrap(true);

    m_recTypeCombo = new QComboBox(this);
    m_recTypeCombo->setObjectName(QStringLiteral("RecTypeCombo"));
    m_recTypeCombo->setIconSize(QSize(16, 16));
    for (const RecordType& type : RecordTypes())
        m_recTypeCombo->addItem(kindIcon ? kindIcon(type.kind) : QIcon(), Text(type.text), type.kind);
    auto* typeLabel = new QLabel(
        importing ? QStringLiteral("Import records of type:") : QStringLiteral("Export records of type:"), this);
    typeLabel->setBuddy(m_recTypeCombo);

    m_listBox1 = new QListWidget(this);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listBox2 = new QListWidget(this);
    m_listBox2->setObjectName(QStringLiteral("ListBox2"));
    m_listBox2->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listBox2->setToolTip(QStringLiteral("Drag & drop fields to change order"));
    // Dropping within the list moves the dragged field; a drop below the last row puts it last.
    m_listBox2->setDragDropMode(QAbstractItemView::InternalMove);
    m_listBox2->setDefaultDropAction(Qt::MoveAction);
    m_copyRtBtn = ArrowButton(Qt::RightArrow, QStringLiteral("CopyRtBtn"), QStringLiteral("Copy to Import"), this);
    m_copyLtBtn = ArrowButton(Qt::LeftArrow, QStringLiteral("CopyLtBtn"), QStringLiteral("Copy to Available"), this);

    auto* available = new QLabel(QStringLiteral("Available Fields"), this);
    available->setBuddy(m_listBox1);
    auto* chosen = new QLabel(importing ? QStringLiteral("Fields to Import (in order)")
                                        : QStringLiteral("Fields to Export (in order)"),
                              this);
    chosen->setBuddy(m_listBox2);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copyRtBtn);
    buttons->addWidget(m_copyLtBtn);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 3);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_recTypeCombo, 1);
    layout->addLayout(typeRow, 1, 0, 1, 3);
    layout->addWidget(available, 2, 0);
    layout->addWidget(chosen, 2, 2);
    layout->addWidget(m_listBox1, 3, 0);
    layout->addLayout(buttons, 3, 1);
    layout->addWidget(m_listBox2, 3, 2);
    layout->setRowStretch(3, 1);

    connect(m_recTypeCombo, &QComboBox::currentIndexChanged, this, [this] { RecTypeComboChange(); });
    connect(m_copyRtBtn, &QToolButton::clicked, this, &FieldMappingPage::CopyRtBtnClick);
    connect(m_copyLtBtn, &QToolButton::clicked, this, &FieldMappingPage::CopyLtBtnClick);
    connect(m_listBox1, &QListWidget::itemDoubleClicked, this, &FieldMappingPage::CopyRtBtnClick);
    connect(m_listBox2, &QListWidget::itemDoubleClicked, this, &FieldMappingPage::CopyLtBtnClick);
    connect(m_listBox2->model(), &QAbstractItemModel::rowsMoved, this, &FieldMappingPage::ChosenFieldsChanged);
}

void FieldMappingPage::FillRecordTypes()
{
    const QSignalBlocker quiet(m_recTypeCombo);
    m_recTypeCombo->setCurrentIndex(0);
    RecTypeComboChange();
}

int FieldMappingPage::RecordKind() const
{
    return m_recTypeCombo->currentData().toInt();
}

QStringList FieldMappingPage::AvailableFields() const
{
    QStringList fields;
    for (int row = 0; row < m_listBox1->count(); ++row)
        fields.append(m_listBox1->item(row)->text());
    return fields;
}

QStringList FieldMappingPage::ChosenFields() const
{
    QStringList fields;
    for (int row = 0; row < m_listBox2->count(); ++row)
        fields.append(m_listBox2->item(row)->text());
    return fields;
}

void FieldMappingPage::RecTypeComboChange()
{
    m_listBox1->clear();
    m_listBox2->clear();
    const RecordType* type = RecordTypeOfKind(RecordKind());
    if (type)
        for (std::string_view field : type->fields)
            m_listBox1->addItem(Text(field));
    emit ChosenFieldsChanged();
}

void FieldMappingPage::CopyRtBtnClick()
{
    MoveSelected(m_listBox1, m_listBox2);
    emit ChosenFieldsChanged();
}

void FieldMappingPage::CopyLtBtnClick()
{
    MoveSelected(m_listBox2, m_listBox1);
    emit ChosenFieldsChanged();
}

} // namespace quillary
