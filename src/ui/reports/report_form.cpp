// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/report_form.h"

#include "common/file_error.h"
#include "model/node_path.h"
#include "model/tree_node.h"
#include "reports/page_settings.h"
#include "reports/report_sources.h"
#include "ui/questions.h"
#include "ui/reports/inch_edit.h"
#include "ui/reports/qt_report_font.h"
#include "ui/text_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace quillary {

namespace {

const char* const ReturnAddressFile = "ret_addr.dat";
constexpr int TenthsDecimals = 1;
constexpr int HundredthsDecimals = 2;
const ReportFont SampleFont{.family = "Arial", .points = 10};

template <class Widget> Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* Button(const QString& text, const char* name)
{
    auto* button = Named(new QPushButton(text), name);
    button->setAutoDefault(false);
    return button;
}

InchEdit* Inch(int decimals, const char* name, int value)
{
    auto* edit = Named(new InchEdit(decimals), name);
    edit->SetValue(value);
    return edit;
}

QPlainTextEdit* Memo(const char* name)
{
    auto* memo = Named(new QPlainTextEdit, name);
    memo->setTabChangesFocus(true);
    memo->setFont(QFontOf(SampleFont));
    return memo;
}

QSpinBox* Spin(const char* name, int minimum, int maximum)
{
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    return spin;
}

// The page of a report: its heading framing the fields.
QGroupBox* Page(const QString& heading, const char* name)
{
    return Named(new QGroupBox(heading), name);
}

QGroupBox* OrientationBox(QRadioButton*& portrait, const char* portraitName, const char* landscapeName)
{
    auto* box = new QGroupBox(QStringLiteral("Orientation"));
    portrait = Named(new QRadioButton(QStringLiteral("Portrait")), portraitName);
    auto* landscape = Named(new QRadioButton(QStringLiteral("Landscape")), landscapeName);
    portrait->setChecked(true);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(portrait);
    layout->addWidget(landscape);
    return box;
}

void AddRow(QFormLayout* form, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    form->addRow(label, field);
}

struct MarginRow
{
    const char* caption;
    InchEdit* field;
};

QGroupBox* MarginsBox(std::initializer_list<MarginRow> rows)
{
    auto* box = new QGroupBox(QStringLiteral("Margins"));
    auto* form = new QFormLayout(box);
    for (const MarginRow& row : rows)
        AddRow(form, QString::fromLatin1(row.caption), row.field);
    return box;
}

// A memo's lines as the report prints them: a final line break does not start another line.
std::vector<std::string> MemoLines(const QPlainTextEdit& memo)
{
    QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    std::vector<std::string> result;
    for (const QString& line : lines)
        result.push_back(ToField(line));
    return result;
}

QString JoinLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << FromField(line);
    return text.join(QLatin1Char('\n'));
}

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TReportForm::TReportForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dialogFont(QStringLiteral("Arial"))
{
    setObjectName(QStringLiteral("TReportForm"));
    setWindowTitle(QStringLiteral("Print Reports"));

    m_nodeId = Named(new QLineEdit, "NodeId");
    m_nodeId->setReadOnly(true);
    auto* from = new QGroupBox(QStringLiteral("Print Items From"));
    (new QVBoxLayout(from))->addWidget(m_nodeId);
    m_rptType = Named(new QComboBox, "RptTypeCombo");
    m_rptType->addItems({QStringLiteral("People & Organization List"), QStringLiteral("Envelope"),
                         QStringLiteral("Address & Phone Book"), QStringLiteral("Address Labels"),
                         QStringLiteral("Simple List")});
    auto* type = new QGroupBox(QStringLiteral("Report Type"));
    (new QVBoxLayout(type))->addWidget(m_rptType);

    m_pages = Named(new QStackedWidget, "PageControl1");
    m_pages->addWidget(BuildPeoplePage());
    m_pages->addWidget(BuildEnvelopePage());
    m_pages->addWidget(BuildBookPage());
    m_pages->addWidget(BuildLabelPage());
    m_pages->addWidget(BuildSimplePage());

    auto* preview = Button(QStringLiteral("P&review"), "PreviewBtn");
    auto* print = Button(QStringLiteral("&Print"), "PrintBtn");
    auto* close = Button(QStringLiteral("&Close"), "BitBtn3");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(preview);
    buttons->addWidget(print);
    buttons->addWidget(close);
    buttons->addStretch();

    auto* choices = new QVBoxLayout;
    choices->addWidget(from);
    choices->addWidget(type);
    choices->addWidget(m_pages, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices, 1);
    layout->addLayout(buttons);

    connect(m_rptType, &QComboBox::currentIndexChanged, this, &TReportForm::RptTypeComboChange);
    // A click on the chosen sheet again brings back its numbers after they were edited.
    connect(m_labelList, &QListWidget::currentRowChanged, this, &TReportForm::LabelListClick);
    connect(m_labelList, &QListWidget::itemClicked, this, &TReportForm::LabelListClick);
    connect(m_heightEdit, &QLineEdit::textChanged, this, &TReportForm::ShowLabelFontSize);
    connect(preview, &QPushButton::clicked, this, &TReportForm::PreviewBtnClick);
    connect(print, &QPushButton::clicked, this, &TReportForm::PrintBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

QGroupBox* TReportForm::TypeFaceBox(QLabel*& sample, const QString& text, const char* sampleName, const char* button)
{
    auto* box = new QGroupBox(QStringLiteral("Type Face"));
    sample = Named(new QLabel(text), sampleName);
    sample->setFont(QFontOf(SampleFont));
    auto* select = Button(QStringLiteral("Select..."), button);
    QLabel* target = sample;
    connect(select, &QPushButton::clicked, this, [this, target] { ChooseFont(target); });
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(sample, 1);
    layout->addWidget(select);
    return box;
}

QWidget* TReportForm::BuildPeoplePage()
{
    QGroupBox* page = Page(QStringLiteral("People && Organization List"), "PeopleReportSheet");
    m_title1 = Named(new QLineEdit(QStringLiteral("Contact List")), "Title1");
    m_topMargin1 = Inch(TenthsDecimals, "TopMargin1", 5);
    m_bottomMargin1 = Inch(TenthsDecimals, "BottomMargin1", 5);
    m_leftMargin1 = Inch(TenthsDecimals, "LeftMargin1", 0);
    auto* title = new QFormLayout;
    AddRow(title, QStringLiteral("Report Title"), m_title1);
    auto* settings = new QHBoxLayout;
    settings->addWidget(OrientationBox(m_portrait1, "Portrait1", "Landscape1"));
    settings->addWidget(MarginsBox({{"Top", m_topMargin1}, {"Bottom", m_bottomMargin1}, {"Left", m_leftMargin1}}));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(title);
    layout->addLayout(settings);
    layout->addWidget(TypeFaceBox(m_listText, QStringLiteral("Sample Text"), "ListText", "Button3"));
    layout->addStretch();
    return page;
}

QWidget* TReportForm::BuildEnvelopePage()
{
    QGroupBox* page = Page(QStringLiteral("Envelope"), "EnvelopeSheet");
    m_envSize = Named(new QComboBox, "EnvSize");
    for (const EnvelopeSize& size : EnvelopeSizes())
        m_envSize->addItem(Latin1(size.name));
    m_return = Memo("Return");
    m_saveRetAddr = Named(new QCheckBox(QStringLiteral("Save Return Address")), "SaveRetAddr");
    m_omitRetAddr = Named(new QCheckBox(QStringLiteral("Omit Return Address")), "OmitRetAddr");
    auto* returnFont = Button(QStringLiteral("Font..."), "Button1");
    m_delivery = Memo("Delivery");
    auto* deliveryFont = Button(QStringLiteral("Font..."), "Button2");
    connect(returnFont, &QPushButton::clicked, this, [this] { ChooseFont(m_return); });
    connect(deliveryFont, &QPushButton::clicked, this, [this] { ChooseFont(m_delivery); });

    auto* size = new QFormLayout;
    AddRow(size, QStringLiteral("Size"), m_envSize);
    auto* returnBox = new QGroupBox(QStringLiteral("Return Address"));
    auto* returnLayout = new QGridLayout(returnBox);
    returnLayout->addWidget(m_return, 0, 0, 3, 1);
    returnLayout->addWidget(m_saveRetAddr, 0, 1);
    returnLayout->addWidget(m_omitRetAddr, 1, 1);
    returnLayout->addWidget(returnFont, 2, 1);
    auto* deliveryBox = new QGroupBox(QStringLiteral("Delivery Address"));
    auto* deliveryLayout = new QGridLayout(deliveryBox);
    deliveryLayout->addWidget(m_delivery, 0, 0, 2, 1);
    deliveryLayout->addWidget(deliveryFont, 0, 1);
    deliveryLayout->setRowStretch(1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(size);
    layout->addWidget(returnBox);
    layout->addWidget(deliveryBox);
    return page;
}

QWidget* TReportForm::BuildBookPage()
{
    QGroupBox* page = Page(QStringLiteral("Phone Number && Address Book"), "AddressBookSheet");
    m_columns = Spin("SpinEdit1", 1, 4);
    m_leftMargin2 = Inch(TenthsDecimals, "LeftMargin2", 0);
    m_gutter = Inch(TenthsDecimals, "Gutter", 10);
    m_topMargin2 = Inch(TenthsDecimals, "TopMargin2", 5);
    m_bottomMargin2 = Inch(TenthsDecimals, "BottomMargin2", 5);
    auto* columns = new QFormLayout;
    AddRow(columns, QStringLiteral("Number of Columns:"), m_columns);
    auto* settings = new QHBoxLayout;
    settings->addWidget(OrientationBox(m_portrait2, "Portrait2", "Landscape2"));
    settings->addWidget(MarginsBox(
        {{"Left", m_leftMargin2}, {"Column Gutter:", m_gutter}, {"Top", m_topMargin2}, {"Bottom", m_bottomMargin2}}));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addLayout(settings);
    layout->addWidget(TypeFaceBox(m_bookText, QStringLiteral("Sample Text"), "BookText", "Button4"));
    layout->addStretch();
    return page;
}

QWidget* TReportForm::BuildLabelPage()
{
    QGroupBox* page = Page(QStringLiteral("Address Labels"), "LabelSheet");
    m_labelList = Named(new QListWidget, "LabelList");
    m_topEdit = Inch(HundredthsDecimals, "TopEdit", 0);
    m_sideEdit = Inch(HundredthsDecimals, "SideEdit", 0);
    m_heightEdit = Inch(HundredthsDecimals, "HeightEdit", 0);
    m_widthEdit = Inch(HundredthsDecimals, "WidthEdit", 0);
    m_hPitchEdit = Inch(HundredthsDecimals, "HPitchEdit", 0);
    m_vPitchEdit = Inch(HundredthsDecimals, "VPitchEdit", 0);
    m_numAcross = Spin("NumAcross", 1, 10);

    auto* types = new QVBoxLayout;
    auto* typesLabel = new QLabel(QStringLiteral("Label Types"));
    typesLabel->setBuddy(m_labelList);
    types->addWidget(typesLabel);
    types->addWidget(m_labelList);
    auto* settingsBox = new QGroupBox(QStringLiteral("Label Settings"));
    auto* settings = new QFormLayout(settingsBox);
    AddRow(settings, QStringLiteral("Top Margin"), m_topEdit);
    AddRow(settings, QStringLiteral("Side Margin"), m_sideEdit);
    AddRow(settings, QStringLiteral("Label Height"), m_heightEdit);
    AddRow(settings, QStringLiteral("Label Width"), m_widthEdit);
    AddRow(settings, QStringLiteral("Horiz. Pitch"), m_hPitchEdit);
    AddRow(settings, QStringLiteral("Vert Pitch"), m_vPitchEdit);
    AddRow(settings, QStringLiteral("Number Across"), m_numAcross);
    auto* sheet = new QHBoxLayout;
    sheet->addLayout(types, 1);
    sheet->addWidget(settingsBox);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(sheet);
    layout->addWidget(TypeFaceBox(m_labelText, QStringLiteral("Sample"), "LabelText", "Button5"));
    return page;
}

QWidget* TReportForm::BuildSimplePage()
{
    QGroupBox* page = Page(QStringLiteral("Simple List"), "TabSheet1");
    m_title2 = Named(new QLineEdit, "Title2");
    m_topMargin3 = Inch(TenthsDecimals, "TopMargin3", 5);
    m_bottomMargin3 = Inch(TenthsDecimals, "BottomMargin3", 5);
    m_leftMargin3 = Inch(TenthsDecimals, "LeftMargin3", 0);
    auto* title = new QFormLayout;
    AddRow(title, QStringLiteral("Report Title"), m_title2);
    auto* settings = new QHBoxLayout;
    settings->addWidget(OrientationBox(m_portrait3, "Portrait3", "Landscape3"));
    settings->addWidget(MarginsBox({{"Top", m_topMargin3}, {"Bottom", m_bottomMargin3}, {"Left", m_leftMargin3}}));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(title);
    layout->addLayout(settings);
    layout->addWidget(TypeFaceBox(m_simpListText, QStringLiteral("Sample Text"), "SimpListText", "Button6"));
    layout->addStretch();
    return page;
}

void TReportForm::FormCreate()
{
    for (const LabelSheet& sheet : LabelSheets())
        m_labelList->addItem(Latin1(sheet.name));
    m_labelList->setCurrentRow(0);
    m_labelList->setMinimumWidth(m_labelList->sizeHintForColumn(0) + 2 * m_labelList->frameWidth() +
                                 m_labelList->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    try {
        m_return->setPlainText(JoinLines(LoadReturnAddress(ReturnAddressFile)));
    } catch (const FileError& error) {
        Questions::Tell(this, QMessageBox::Warning, windowTitle(), FromField(error.what()));
    }
    m_rptType->setCurrentIndex(PeopleList);
    m_envSize->setCurrentIndex(0);
}

void TReportForm::FormClose()
{
    if (!m_saveRetAddr->isChecked())
        return;
    try {
        SaveReturnAddress(ReturnAddressFile, MemoLines(*m_return));
    } catch (const FileError& error) {
        // The address stays in the memo, so a later close can still save it.
        Questions::Tell(this, QMessageBox::Warning, windowTitle(),
                        QStringLiteral("The return address was not saved.\n%1").arg(FromField(error.what())));
    }
}

void TReportForm::done(int result)
{
    FormClose();
    m_tree = nullptr;
    m_node = nullptr;
    QDialog::done(result);
}

int TReportForm::Open(ItemTree& tree, TreeNode& node, const TKPXObject* address, const std::string& name)
{
    SetSubject(tree, node, address, name);
    m_rptType->setFocus();
    return exec();
}

void TReportForm::SetSubject(ItemTree& tree, TreeNode& node, const TKPXObject* address, const std::string& name)
{
    m_tree = &tree;
    m_node = &node;
    const QString path = FromField(NodePath(node));
    m_nodeId->setText(path);
    m_title2->setText(path);
    m_delivery->setPlainText(JoinLines(DeliveryLines(name, address)));
}

void TReportForm::RptTypeComboChange(int index)
{
    m_pages->setCurrentIndex(index);
}

void TReportForm::LabelListClick()
{
    const int row = m_labelList->currentRow();
    if (row < 0)
        return;
    const LabelSheet& sheet = LabelSheets()[static_cast<std::size_t>(row)];
    m_topEdit->SetValue(sheet.topMargin);
    m_sideEdit->SetValue(sheet.sideMargin);
    m_heightEdit->SetValue(sheet.height);
    m_widthEdit->SetValue(sheet.width);
    m_hPitchEdit->SetValue(sheet.horizontalPitch);
    m_vPitchEdit->SetValue(sheet.verticalPitch);
    m_numAcross->setValue(sheet.across);
}

// The label sample shows the size labels print at while the user has chosen none.
void TReportForm::ShowLabelFontSize()
{
    if (m_labelFontChosen)
        return;
    QFont font = m_labelText->font();
    font.setPointSize(LabelFont().points);
    m_labelText->setFont(font);
}

void TReportForm::ChooseFont(QWidget* target)
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_dialogFont, this);
    if (!chosen)
        return;
    m_dialogFont = font;
    target->setFont(font);
    m_labelFontChosen = m_labelFontChosen || target == m_labelText;
}

ListOptions TReportForm::ListSettings() const
{
    ListOptions options;
    options.title = ToField(m_title1->text());
    options.source = ToField(m_nodeId->text());
    options.date = ToField(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    options.landscape = !m_portrait1->isChecked();
    options.leftMargin = m_leftMargin1->Value();
    options.topMargin = m_topMargin1->Value();
    options.bottomMargin = m_bottomMargin1->Value();
    options.font = ReportFontOf(m_listText->font());
    return options;
}

ListOptions TReportForm::SimpleListSettings() const
{
    ListOptions options;
    options.title = ToField(m_title2->text());
    options.landscape = !m_portrait3->isChecked();
    options.leftMargin = m_leftMargin3->Value();
    options.topMargin = m_topMargin3->Value();
    options.bottomMargin = m_bottomMargin3->Value();
    options.font = ReportFontOf(m_simpListText->font());
    return options;
}

BookOptions TReportForm::BookSettings() const
{
    BookOptions options;
    options.columns = m_columns->value();
    options.gutter = m_gutter->Value();
    options.landscape = !m_portrait2->isChecked();
    options.leftMargin = m_leftMargin2->Value();
    options.topMargin = m_topMargin2->Value();
    options.bottomMargin = m_bottomMargin2->Value();
    options.font = ReportFontOf(m_bookText->font());
    return options;
}

LabelSheet TReportForm::ChosenLabelSheet() const
{
    const int row = m_labelList->currentRow();
    return LabelSheet{row < 0 ? std::string_view() : LabelSheets()[static_cast<std::size_t>(row)].name,
                      m_topEdit->Value(),
                      m_sideEdit->Value(),
                      m_widthEdit->Value(),
                      m_heightEdit->Value(),
                      m_hPitchEdit->Value(),
                      m_vPitchEdit->Value(),
                      m_numAcross->value()};
}

ReportFont TReportForm::LabelFont() const
{
    ReportFont font = ReportFontOf(m_labelText->font());
    if (!m_labelFontChosen)
        font.points = DefaultLabelPoints(ChosenLabelSheet());
    return font;
}

EnvelopeOptions TReportForm::EnvelopeSettings() const
{
    EnvelopeOptions options;
    options.size = EnvelopeSizes()[static_cast<std::size_t>(std::max(m_envSize->currentIndex(), 0))];
    options.delivery = MemoLines(*m_delivery);
    options.omitReturn = m_omitRetAddr->isChecked();
    if (!options.omitReturn)
        options.returnAddress = MemoLines(*m_return);
    options.deliveryFont = ReportFontOf(m_delivery->font());
    options.returnFont = ReportFontOf(m_return->font());
    return options;
}

ReportMaker TReportForm::ChosenReport() const
{
    const int type = m_rptType->currentIndex();
    if (type == Envelope)
        return [options = EnvelopeSettings()](ReportPageSize paper) { return MakeEnvelopeReport(options, paper); };
    const ItemTree& tree = *m_tree;
    const NodeRange range = RangeOf(*m_node);
    switch (type) {
    case AddressBook:
        return
            [&tree, range, options = BookSettings()](ReportPageSize) { return MakeBookReport(tree, range, options); };
    case Labels:
        return [&tree, range, sheet = ChosenLabelSheet(), font = LabelFont()](ReportPageSize) {
            return MakeLabelReport(tree, range, sheet, font);
        };
    case SimpleList:
        return [&tree, range, options = SimpleListSettings()](ReportPageSize) {
            return MakeSimpleReport(tree, range, options);
        };
    default:
        return [&tree, range, options = ListSettings()](ReportPageSize) {
            return MakeListingReport(tree, range, options);
        };
    }
}

bool TReportForm::ChosenLandscape() const
{
    switch (m_rptType->currentIndex()) {
    case Envelope:
        return true;
    case AddressBook:
        return !m_portrait2->isChecked();
    case Labels:
        return false;
    case SimpleList:
        return !m_portrait3->isChecked();
    default:
        return !m_portrait1->isChecked();
    }
}

void TReportForm::PreviewBtnClick()
{
    PreviewReport(ChosenReport(), ChosenLandscape(), this);
}

void TReportForm::PrintBtnClick()
{
    PrintReport(ChosenReport(), ChosenLandscape(), this);
}

} // namespace quillary
