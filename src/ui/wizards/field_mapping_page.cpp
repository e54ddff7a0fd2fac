// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/field_mapping_page.h"

#include "common/text_excerpt.h"
#include "exchange/csv_header_map.h"
#include "exchange/record_types.h"
#include "ui/text_codec.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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

const QString Ignored = QStringLiteral("(ignored)");

QLabel* Bold(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
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
    m_listsExplanation =
        importing ? QStringLiteral("This wizard will import records from a text file.  Each line of the text file must "
                                   "include one record.  The fields on each line must be separated by a single comma "
                                   "or tab character.")
                  : QStringLiteral("This wizard will export records to a comma-delimited text file.  Each line of the "
                                   "text file will include one record, and the fields will be separated by a comma.");
    m_explanation = new QLabel(m_listsExplanation, this);
    m_explanation->setWordWrap(true);

    m_recTypeCombo = new QComboBox(this);
    m_recTypeCombo->setObjectName(QStringLiteral("RecTypeCombo"));
    m_recTypeCombo->setIconSize(QSize(16, 16));
    for (const RecordType& type : RecordTypes())
        m_recTypeCombo->addItem(kindIcon ? kindIcon(type.kind) : QIcon(), Text(type.text), type.kind);
    auto* typeLabel = new QLabel(
        importing ? QStringLiteral("Import records of type:") : QStringLiteral("Export records of type:"), this);
    typeLabel->setBuddy(m_recTypeCombo);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_recTypeCombo, 1);

    m_modes = new QStackedWidget(this);
    m_modes->addWidget(FieldListsPanel(importing));
    if (importing)
        m_modes->addWidget(ColumnsPanel());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addLayout(typeRow);
    layout->addWidget(m_modes, 1);

    connect(m_recTypeCombo, &QComboBox::currentIndexChanged, this, [this] { RecTypeComboChange(); });
}

QWidget* FieldMappingPage::FieldListsPanel(bool importing)
{
    auto* panel = new QWidget(this);
    m_listBox1 = new QListWidget(panel);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listBox2 = new QListWidget(panel);
    m_listBox2->setObjectName(QStringLiteral("ListBox2"));
    m_listBox2->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listBox2->setToolTip(QStringLiteral("Drag & drop fields to change order"));
    // Dropping within the list moves the dragged field; a drop below the last row puts it last.
    m_listBox2->setDragDropMode(QAbstractItemView::InternalMove);
    m_listBox2->setDefaultDropAction(Qt::MoveAction);
    m_copyRtBtn = ArrowButton(Qt::RightArrow, QStringLiteral("CopyRtBtn"), QStringLiteral("Copy to Import"), panel);
    m_copyLtBtn = ArrowButton(Qt::LeftArrow, QStringLiteral("CopyLtBtn"), QStringLiteral("Copy to Available"), panel);

    auto* available = new QLabel(QStringLiteral("Available Fields"), panel);
    available->setBuddy(m_listBox1);
    m_listBox1->setAccessibleName(available->text());
    auto* chosen = new QLabel(importing ? QStringLiteral("Fields to Import (in order)")
                                        : QStringLiteral("Fields to Export (in order)"),
                              panel);
    chosen->setBuddy(m_listBox2);
    m_listBox2->setAccessibleName(chosen->text());
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copyRtBtn);
    buttons->addWidget(m_copyLtBtn);
    buttons->addStretch();

    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(available, 0, 0);
    layout->addWidget(chosen, 0, 2);
    layout->addWidget(m_listBox1, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_listBox2, 1, 2);
    layout->setRowStretch(1, 1);
    if (importing) {
        // A file with a line of field names needs no list: this leads to the file page at once.
        auto* fromHeader = new QPushButton(QStringLiteral("&Take the fields from the file's first line..."), panel);
        fromHeader->setObjectName(QStringLiteral("HeaderLineBtn"));
        fromHeader->setAutoDefault(false);
        layout->addWidget(fromHeader, 2, 0, 1, 3, Qt::AlignLeft);
        connect(fromHeader, &QPushButton::clicked, this, &FieldMappingPage::HeaderLineRequested);
    }

    connect(m_copyRtBtn, &QToolButton::clicked, this, &FieldMappingPage::CopyRtBtnClick);
    connect(m_copyLtBtn, &QToolButton::clicked, this, &FieldMappingPage::CopyLtBtnClick);
    connect(m_listBox1, &QListWidget::itemDoubleClicked, this, &FieldMappingPage::CopyRtBtnClick);
    connect(m_listBox2, &QListWidget::itemDoubleClicked, this, &FieldMappingPage::CopyLtBtnClick);
    connect(m_listBox2->model(), &QAbstractItemModel::rowsMoved, this, &FieldMappingPage::ChosenFieldsChanged);
    return panel;
}

QWidget* FieldMappingPage::ColumnsPanel()
{
    auto* panel = new QWidget(this);
    m_columnArea = new QScrollArea(panel);
    m_columnArea->setObjectName(QStringLiteral("ColumnArea"));
    m_columnArea->setWidgetResizable(true);
    // The names wrap and the lists narrow, so the columns always fit the page's width.
    m_columnArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ignoredLabel = new QLabel(panel);
    m_ignoredLabel->setObjectName(QStringLiteral("IgnoredLabel"));
    m_ignoredLabel->setTextFormat(Qt::PlainText);
    m_ignoredLabel->setWordWrap(true);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_columnArea, 1);
    layout->addWidget(m_ignoredLabel);
    return panel;
}

void FieldMappingPage::ShowColumns(const QStringList& names, const QStringList& fields)
{
    QStringList offered;
    for (std::string_view field : ImportFields(RecordKind()))
        offered.append(Text(field));
    auto* table = new QWidget;
    auto* grid = new QGridLayout(table);
    grid->addWidget(Bold(new QLabel(QStringLiteral("Column in the file"), table)), 0, 0);
    grid->addWidget(Bold(new QLabel(QStringLiteral("Field"), table)), 0, 1);
    m_columnNames = names;
    m_columnCombos.clear();
    for (qsizetype column = 0; column < names.size(); ++column) {
        auto* name = new QLabel(names[column], table);
        name->setTextFormat(Qt::PlainText);
        name->setWordWrap(true);
        auto* combo = new QComboBox(table);
        combo->setAccessibleName(names[column]);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
        combo->addItem(Ignored);
        combo->addItems(offered);
        combo->setCurrentIndex(std::max(0, static_cast<int>(offered.indexOf(fields.value(column))) + 1));
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            ShowIgnored();
            emit ChosenFieldsChanged();
        });
        const int row = static_cast<int>(column) + 1;
        grid->addWidget(name, row, 0);
        grid->addWidget(combo, row, 1);
        m_columnCombos.append(combo);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    m_columnArea->setWidget(table); // deletes the columns shown before
    m_explanation->setText(
        QStringLiteral("The first line of the file names its columns.  Choose the field each column fills.  A "
                       "person's or organization's columns that belong together, such as a phone's label and "
                       "number, make one entry each; other fields filled by several columns take the first value "
                       "that is not empty."));
    m_modes->setCurrentIndex(1);
    ShowIgnored();
    emit ChosenFieldsChanged();
}

void FieldMappingPage::ShowFieldLists()
{
    m_explanation->setText(m_listsExplanation);
    m_modes->setCurrentIndex(0);
    emit ChosenFieldsChanged();
}

bool FieldMappingPage::ColumnsShown() const
{
    return m_modes->currentIndex() == 1;
}

QStringList FieldMappingPage::ColumnFields() const
{
    QStringList fields;
    for (const QComboBox* combo : m_columnCombos)
        fields.append(combo->currentIndex() == 0 ? QString() : combo->currentText());
    return fields;
}

QStringList FieldMappingPage::IgnoredColumns() const
{
    QStringList ignored;
    for (qsizetype column = 0; column < m_columnCombos.size(); ++column)
        if (m_columnCombos[column]->currentIndex() == 0)
            ignored.append(m_columnNames[column].isEmpty() ? QStringLiteral("column %1").arg(column + 1)
                                                           : m_columnNames[column]);
    return ignored;
}

bool FieldMappingPage::AnyFieldChosen() const
{
    if (!ColumnsShown())
        return m_listBox2->count() > 0;
    return std::any_of(m_columnCombos.begin(), m_columnCombos.end(),
                       [](const QComboBox* combo) { return combo->currentIndex() != 0; });
}

namespace {
// A file may name thousands of columns, or one of megabytes: the label shows the first few.
QString ListedNames(const QStringList& names)
{
    std::vector<std::string> fields;
    for (const QString& name : names)
        fields.push_back(ToField(name));
    return FromField(ListExcerpt(fields));
}
} // namespace

void FieldMappingPage::ShowIgnored()
{
    const QStringList ignored = IgnoredColumns();
    if (m_columnNames.isEmpty())
        m_ignoredLabel->setText(QStringLiteral("The first line of the file holds no column names."));
    else
        m_ignoredLabel->setText(ignored.isEmpty() ? QStringLiteral("Ignored columns: none")
                                                  : QStringLiteral("Ignored columns: %1").arg(ListedNames(ignored)));
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
