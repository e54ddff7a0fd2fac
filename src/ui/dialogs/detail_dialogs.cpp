// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/detail_dialogs.h"

#include "dialogs/phone_formats.h"
#include "ui/dialogs/category_popup.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/dialogs/phone_format_combo.h"
#include "ui/text_codec.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace quillary {

namespace {

constexpr int PictureSize = 32;
// Boxes for longer or unlimited values are drawn this many characters wide.
constexpr int WideChars = 40;
constexpr int NumberChars = 24;

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

TDetailDlg::TDetailDlg(const DialogContext& context, TKPXObject& item, const QString& caption, const QIcon& picture)
    : TOKBottomDlg(context.parent)
{
    setWindowTitle(caption);

    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(help, &QPushButton::clicked, this, [showHelp = context.showHelp] {
        if (showHelp)
            showHelp(EditDialogHelpContext);
    });
    AddButton(help, QDialogButtonBox::HelpRole);

    auto* image = new QLabel(Bevel());
    image->setObjectName(QStringLiteral("Image1"));
    image->setFixedSize(PictureSize, PictureSize);
    image->setPixmap(picture.pixmap(PictureSize, PictureSize));

    m_catSelect = new CategoryPicture(Bevel());
    m_catSelect->setObjectName(QStringLiteral("CatSelect"));
    m_catSelect->SetTarget(&item, context.categoryNames);

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(image, 0, Qt::AlignHCenter);
    pictures->addWidget(m_catSelect, 0, Qt::AlignHCenter);
    pictures->addStretch(1);

    m_grid = new QGridLayout;
    m_grid->setColumnStretch(1, 1);
    // Spare height (a dialog with few fields is still as tall as its pictures) goes below the fields.
    auto* fields = new QVBoxLayout;
    fields->addLayout(m_grid);
    fields->addStretch(1);
    auto* body = new QHBoxLayout(Bevel());
    body->addLayout(pictures);
    body->addSpacing(6);
    body->addLayout(fields, 1);
}

QLineEdit* TDetailDlg::AddLineEdit(const char* name, const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(Bevel());
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new SingleLineValidator(edit));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (maxLength > 0 && maxLength < WideChars)
        edit->setFixedWidth(LineEditWidth(*edit, maxLength + 1));
    else
        edit->setMinimumWidth(LineEditWidth(*edit, WideChars));
    AddRow(label, edit);
    return edit;
}

QLabel* TDetailDlg::AddRow(const QString& label, QWidget* field, const char* labelName, QWidget* beside)
{
    const int row = m_rows++;
    auto* text = new QLabel(label, Bevel());
    text->setObjectName(labelName ? QString::fromLatin1(labelName) : field->objectName() + QStringLiteral("Label"));
    text->setBuddy(field);
    const bool tall = qobject_cast<QPlainTextEdit*>(field) != nullptr;
    m_grid->addWidget(text, row, 0, Qt::AlignLeft | (tall ? Qt::AlignTop : Qt::AlignVCenter));
    m_fields.push_back(field);
    if (beside) {
        m_grid->addWidget(field, row, 1);
        m_grid->addWidget(beside, row, 2);
        m_fields.push_back(beside);
    } else if (field->minimumWidth() == field->maximumWidth()) {
        m_grid->addWidget(field, row, 1, 1, 2, Qt::AlignLeft);
    } else {
        m_grid->addWidget(field, row, 1, 1, 2);
    }
    return text;
}

void TDetailDlg::ChainTabOrder()
{
    std::vector<QWidget*> order = m_fields;
    order.push_back(m_catSelect);
    for (QWidget* button : ButtonsInOrder())
        order.push_back(button);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    if (!m_fields.empty())
        m_fields.front()->setFocus();
}

void TNumberDlg::AddNumberRows(const char* numberName, const QString& numberLabel, const char* formatName,
                               const char* formatLabelName)
{
    m_number = new MaskedNumberEdit(Bevel());
    m_number->setObjectName(QString::fromLatin1(numberName));
    const int width = LineEditWidth(*m_number, NumberChars);
    m_number->setFixedWidth(width);
    AddRow(numberLabel, m_number);

    m_format = new PhoneFormatCombo(Bevel());
    m_format->setObjectName(QString::fromLatin1(formatName));
    m_format->Attach(m_number);
    m_format->setFixedWidth(width);
    m_formatLabel = AddRow(QStringLiteral("Phone Number Format"), m_format, formatLabelName);

    m_format->hide();
    m_formatLabel->hide();
    m_number->SetEditMask(QString());
}

void TNumberDlg::ShowFormats()
{
    m_format->show();
    m_formatLabel->show();
    m_format->SelectFormat(kPhoneFormatUsa);
}

void TNumberDlg::accept()
{
    // Enter reaches the default button without the field losing the focus, so the field's
    // own check on leaving would not run.
    if (m_number->CheckComplete())
        TDetailDlg::accept();
}

void ShowText(QLineEdit& edit, const std::string& field)
{
    const QString text = FromField(field);
    if (text.size() > edit.maxLength())
        edit.setMaxLength(static_cast<int>(text.size()));
    edit.setText(text);
}

std::string TextOf(const QLineEdit& edit)
{
    return ToField(edit.text());
}

int LineEditWidth(const QWidget& edit, int chars)
{
    // A line edit's own size hint is 17 'x' plus the style's frame and margins.
    QLineEdit probe;
    probe.setFont(edit.font());
    const int xWidth = probe.fontMetrics().horizontalAdvance(u'x');
    const int margins = probe.sizeHint().width() - 17 * xWidth;
    return margins + chars * xWidth;
}

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const
{
    const auto firstBreak = std::find_if(input.cbegin(), input.cend(), IsLineBreak) - input.cbegin();
    if (firstBreak == input.size())
        return Acceptable;
    // The box held one line before, so the breaks came with the text just put in, which ends at
    // the cursor: of that text only its first line stays, and what followed the cursor is kept.
    const qsizetype restStart = std::max<qsizetype>(pos, firstBreak);
    QString rest = input.mid(restStart);
    std::replace_if(rest.begin(), rest.end(), IsLineBreak, QChar(u' '));
    input = input.left(firstBreak) + rest;
    pos = static_cast<int>(firstBreak);
    return Acceptable;
}

LimitedMemo::LimitedMemo(int maxLength, QWidget* parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int charsAdded) { CutOverflow(position, charsAdded); });
}

void LimitedMemo::SetLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text.append(FromField(line));
    m_filling = true;
    setPlainText(text.join(u'\n'));
    m_filling = false;
}

std::vector<std::string> LimitedMemo::Lines() const
{
    std::vector<std::string> lines;
    const QString text = toPlainText();
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(u'\n'))
        lines.push_back(ToField(line));
    return lines;
}

void LimitedMemo::CutOverflow(int position, int charsAdded)
{
    // characterCount() includes the document's closing paragraph mark.
    const int length = document()->characterCount() - 1;
    const int excess = length - m_maxLength;
    if (m_filling || excess <= 0 || charsAdded <= 0)
        return;
    // A change that replaces the whole text counts the closing paragraph mark as added too.
    const int end = std::min(position + charsAdded, length);
    int start = std::max(position, end - excess);
    // Never leave half of a surrogate pair behind.
    if (start > position && document()->characterAt(start).isLowSurrogate())
        --start;
    m_filling = true;
    QTextCursor cut(document());
    cut.setPosition(start);
    cut.setPosition(end, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    m_filling = false;
}

} // namespace quillary
