// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/party_dlg.h"

#include "dialogs/name_split.h"
#include "model/item_kind.h"
#include "model/items_party.h"
#include "ui/dialogs/category_popup.h"
#include "ui/dialogs/detail_dialogs.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/dialogs/phone_format_combo.h"
#include "ui/text_codec.h"
#include "ui/widgets/editable_combo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillary {

namespace {

constexpr int AddressMemoLimit = 120;

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength = 0)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new SingleLineValidator(edit));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QStringList Titles(const std::vector<std::string>& titles)
{
    QStringList list;
    for (const std::string& title : titles)
        list.append(FromField(title));
    return list;
}

// Trailing empty lines are padding, not text the user typed.
std::vector<std::string> WithoutPadding(std::vector<std::string> lines)
{
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace

TPartyEditDlg::TPartyEditDlg(const DialogContext& context, TPartyObject& item, EditMode mode)
    : QDialog(context.parent), m_context(context), m_item(item), m_mode(mode), m_person(item.GetKind() == KindPerson)
{
    setObjectName(m_person ? QStringLiteral("TEditPersDlg") : QStringLiteral("TOrgEditDlg"));
    setWindowTitle(m_person ? QStringLiteral("Person") : QStringLiteral("Organization"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildNames());
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setUsesScrollButtons(false); // all five sheets in view
    m_pages->addTab(BuildAddressSheet(), QStringLiteral("Primary Address"));
    m_pages->addTab(BuildPhoneSheet(), QStringLiteral("Primary Phone"));
    m_pages->addTab(BuildFaxSheet(), QStringLiteral("Primary FAX"));
    m_pages->addTab(BuildEMailSheet(), QStringLiteral("Primary E-mail"));
    m_pages->addTab(BuildWebSheet(), QStringLiteral("Primary Website"));
    static const char* const SheetNames[] = {"PriAddressSheet", "PriPhoneSheet", "PriFaxSheet", "PriEmailSheet",
                                             "PriWebSheet"};
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setObjectName(QString::fromLatin1(SheetNames[i]));
    layout->addWidget(m_pages, 1);
    layout->addWidget(BuildButtons());
    // Editing shows numbers as free text: the format lists are for new numbers only.
    const bool formats = mode == EditMode::New;
    for (QWidget* widget : {static_cast<QWidget*>(m_phoneFmt), static_cast<QWidget*>(m_phoneFmtLabel),
                            static_cast<QWidget*>(m_faxFmt), static_cast<QWidget*>(m_faxFmtLabel)})
        widget->setVisible(formats);
}

QWidget* TPartyEditDlg::BuildNames()
{
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    m_title = Edit(box, "Title", m_person ? 40 : 0);
    form->addRow(QStringLiteral("Title"), m_title);
    if (m_person) {
        auto* names = new QHBoxLayout;
        m_salutation = new QComboBox(box);
        m_salutation->setObjectName(QStringLiteral("Salutation"));
        MakeEditable(*m_salutation);
        m_salutation->addItems({QStringLiteral("Mr."), QStringLiteral("Mrs."), QStringLiteral("Ms."),
                                QStringLiteral("Miss"), QStringLiteral("Dr."), QStringLiteral("Mr. & Mrs."),
                                QStringLiteral("Dr. & Mrs.")});
        m_salutation->setMaxVisibleItems(4);
        m_first = Edit(box, "FName", 20);
        m_middle = Edit(box, "MName", 20);
        m_last = Edit(box, "LName", 25);
        m_suffix = Edit(box, "Suffix", 10);
        for (auto [label, widget] : {std::pair<const char*, QWidget*>{"Salut.", m_salutation},
                                     {"First", m_first},
                                     {"Middle", m_middle},
                                     {"Last", m_last},
                                     {"Suffix", m_suffix}}) {
            auto* column = new QVBoxLayout;
            auto* caption = new QLabel(QString::fromLatin1(label), box);
            caption->setBuddy(widget);
            column->addWidget(caption);
            column->addWidget(widget);
            names->addLayout(column);
        }
        form->addRow(names);
        m_company = Edit(box, "Company");
        m_jobTitle = Edit(box, "JobTitle");
        form->addRow(QStringLiteral("Company"), m_company);
        form->addRow(QStringLiteral("Job Title"), m_jobTitle);
        m_title->installEventFilter(this);
        for (QLineEdit* name : {m_first, m_middle, m_last})
            connect(name, &QLineEdit::textEdited, this, &TPartyEditDlg::FollowNames);
        // Typing a title makes it the user's; emptying it gives it back to the names.
        connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) { m_titleFollows = text.isEmpty(); });
    }
    m_comment = Edit(box, "Comment", m_person ? 255 : 0);
    form->addRow(QStringLiteral("Comment"), m_comment);
    return box;
}

QComboBox* TPartyEditDlg::TitleBox(const char* name, int slot)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    MakeEditable(*box);
    box->setInsertPolicy(QComboBox::NoInsert);
    connect(box, &QComboBox::activated, this, [this, slot] { LoadSection(slot); });
    return box;
}

QWidget* TPartyEditDlg::BuildAddressSheet()
{
    auto* sheet = new QWidget(this);
    auto* form = new QFormLayout(sheet);
    m_addrTitle = TitleBox("AddrTitle", TPartyObject::SlotAddress);
    m_addr = new LimitedMemo(AddressMemoLimit, sheet);
    m_addr->setObjectName(QStringLiteral("Addr"));
    m_addr->setTabChangesFocus(true);
    m_addr->setFixedHeight(m_addr->fontMetrics().lineSpacing() * 4 + 10);
    m_city = Edit(sheet, "City", 25);
    m_state = Edit(sheet, "State", 20);
    m_postCode = Edit(sheet, "PostCode", 10);
    m_country = Edit(sheet, "Country", 15);
    m_addrComment = Edit(sheet, "AddrComment", 255);
    form->addRow(QStringLiteral("Title"), m_addrTitle);
    form->addRow(QStringLiteral("Address"), m_addr);
    form->addRow(QStringLiteral("City"), m_city);
    form->addRow(QStringLiteral("State/Province"), m_state);
    form->addRow(QStringLiteral("Postal/Zip"), m_postCode);
    form->addRow(QStringLiteral("Country"), m_country);
    form->addRow(QStringLiteral("Comment"), m_addrComment);
    return sheet;
}

QWidget* TPartyEditDlg::BuildPhoneSheet()
{
    auto* sheet = new QWidget(this);
    auto* form = new QFormLayout(sheet);
    m_phoneTitle = TitleBox("PhoneTitle", TPartyObject::SlotPhone);
    m_phoneNum = new MaskedNumberEdit(sheet);
    m_phoneNum->setObjectName(QStringLiteral("PhoneNum"));
    m_extension = Edit(sheet, "Extension", 6);
    m_phoneFmt = new PhoneFormatCombo(sheet);
    m_phoneFmt->setObjectName(QStringLiteral("PhoneFmt"));
    m_phoneFmt->Attach(m_phoneNum);
    m_phoneFmtLabel = new QLabel(QStringLiteral("Phone Number Format"), sheet);
    m_phoneFmtLabel->setObjectName(QStringLiteral("Label16"));
    m_phoneComment = Edit(sheet, "PhoneComment", 255);
    form->addRow(QStringLiteral("Title"), m_phoneTitle);
    form->addRow(QStringLiteral("Phone"), m_phoneNum);
    form->addRow(QStringLiteral("Extension"), m_extension);
    form->addRow(m_phoneFmtLabel, m_phoneFmt);
    form->addRow(QStringLiteral("Comment"), m_phoneComment);
    return sheet;
}

QWidget* TPartyEditDlg::BuildFaxSheet()
{
    auto* sheet = new QWidget(this);
    auto* form = new QFormLayout(sheet);
    m_faxTitle = TitleBox("FaxTitle", TPartyObject::SlotFax);
    m_faxNum = new MaskedNumberEdit(sheet);
    m_faxNum->setObjectName(QStringLiteral("FaxNum"));
    m_faxFmt = new PhoneFormatCombo(sheet);
    m_faxFmt->setObjectName(QStringLiteral("FaxFmt"));
    m_faxFmt->Attach(m_faxNum);
    m_faxFmtLabel = new QLabel(QStringLiteral("Phone Number Format"), sheet);
    m_faxFmtLabel->setObjectName(QStringLiteral("Label19"));
    m_faxComment = Edit(sheet, "FaxComment", 255);
    form->addRow(QStringLiteral("Title"), m_faxTitle);
    form->addRow(QStringLiteral("FAX Number"), m_faxNum);
    form->addRow(m_faxFmtLabel, m_faxFmt);
    form->addRow(QStringLiteral("Comment"), m_faxComment);
    return sheet;
}

QWidget* TPartyEditDlg::BuildEMailSheet()
{
    auto* sheet = new QWidget(this);
    auto* form = new QFormLayout(sheet);
    m_emailTitle = TitleBox("EMailTitle", TPartyObject::SlotEMail);
    m_emailAddr = Edit(sheet, "EMailAddr", 80);
    m_emailComment = Edit(sheet, "EMailComment", 255);
    form->addRow(QStringLiteral("Title"), m_emailTitle);
    form->addRow(QStringLiteral("E-Mail Address"), m_emailAddr);
    form->addRow(QStringLiteral("Comment"), m_emailComment);
    return sheet;
}

QWidget* TPartyEditDlg::BuildWebSheet()
{
    auto* sheet = new QWidget(this);
    auto* form = new QFormLayout(sheet);
    m_webTitle = TitleBox("WebTitle", TPartyObject::SlotWebsite);
    m_web = new QComboBox(sheet);
    m_web->setObjectName(QStringLiteral("Web"));
    MakeEditable(*m_web);
    m_web->setInsertPolicy(QComboBox::NoInsert);
    m_web->addItems({QStringLiteral("http://"), QStringLiteral("https://"), QStringLiteral("ftp://"),
                     QStringLiteral("news:"), QStringLiteral("mailto:"), QStringLiteral("gopher://"),
                     QStringLiteral("wais:"), QStringLiteral("telnet:")});
    m_webComment = Edit(sheet, "WebComment", 255);
    form->addRow(QStringLiteral("Title"), m_webTitle);
    form->addRow(QStringLiteral("Site Address"), m_web);
    form->addRow(QStringLiteral("Comment"), m_webComment);
    return sheet;
}

QWidget* TPartyEditDlg::BuildButtons()
{
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    auto* categories = new CategoryPicture(panel);
    categories->setObjectName(QStringLiteral("CatSelect"));
    categories->SetTarget(&m_item, m_context.categoryNames);
    row->addWidget(categories);
    row->addStretch(1);
    auto* buttons = new QDialogButtonBox(panel);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_context.showHelp)
            m_context.showHelp(EditDialogHelpContext);
    });
    row->addWidget(buttons);
    return panel;
}

void TPartyEditDlg::Fill(const PartyForm& form)
{
    ShowText(*m_title, form.title);
    m_presetTitle = m_mode == EditMode::New ? m_title->text() : QString();
    m_titleFollows = m_person && m_mode == EditMode::New;
    ShowText(*m_comment, form.comment);
    if (m_person) {
        m_salutation->setCurrentText(FromField(form.salutation));
        ShowText(*m_first, form.firstName);
        ShowText(*m_middle, form.middleName);
        ShowText(*m_last, form.lastName);
        ShowText(*m_suffix, form.suffix);
        ShowText(*m_company, form.company);
        ShowText(*m_jobTitle, form.jobTitle);
    }
    // Without detail children the title lists stay empty.
    const std::pair<QComboBox*, TPartyObject::Slot> lists[] = {{m_addrTitle, TPartyObject::SlotAddress},
                                                               {m_phoneTitle, TPartyObject::SlotPhone},
                                                               {m_faxTitle, TPartyObject::SlotFax},
                                                               {m_emailTitle, TPartyObject::SlotEMail},
                                                               {m_webTitle, TPartyObject::SlotWebsite}};
    for (auto [box, slot] : lists) {
        box->clear();
        if (m_item.HasChildren())
            box->addItems(Titles(m_item.SectionTitles(slot)));
    }
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        FillSection(slot, form);
}

void TPartyEditDlg::FillSection(int slot, const PartyForm& form)
{
    switch (slot) {
    case TPartyObject::SlotAddress:
        m_addrTitle->setCurrentText(FromField(form.address.title));
        m_addr->SetLines(WithoutPadding(form.address.lines));
        ShowText(*m_city, form.address.city);
        ShowText(*m_state, form.address.state);
        ShowText(*m_postCode, form.address.postCode);
        ShowText(*m_country, form.address.country);
        ShowText(*m_addrComment, form.address.comment);
        break;
    case TPartyObject::SlotPhone:
        m_phoneTitle->setCurrentText(FromField(form.phone.title));
        m_phoneNum->setText(FromField(form.phone.number));
        ShowText(*m_extension, form.phone.extension);
        ShowText(*m_phoneComment, form.phone.comment);
        break;
    case TPartyObject::SlotFax:
        m_faxTitle->setCurrentText(FromField(form.fax.title));
        m_faxNum->setText(FromField(form.fax.number));
        ShowText(*m_faxComment, form.fax.comment);
        break;
    case TPartyObject::SlotEMail:
        m_emailTitle->setCurrentText(FromField(form.email.title));
        ShowText(*m_emailAddr, form.email.address);
        ShowText(*m_emailComment, form.email.comment);
        break;
    default:
        m_webTitle->setCurrentText(FromField(form.website.title));
        m_web->setCurrentText(FromField(form.website.url));
        ShowText(*m_webComment, form.website.comment);
        break;
    }
}

PartyForm TPartyEditDlg::Collected() const
{
    PartyForm form;
    form.title = TextOf(*m_title);
    form.comment = TextOf(*m_comment);
    if (m_person) {
        form.salutation = ToField(m_salutation->currentText());
        form.firstName = TextOf(*m_first);
        form.middleName = TextOf(*m_middle);
        form.lastName = TextOf(*m_last);
        form.suffix = TextOf(*m_suffix);
        form.company = TextOf(*m_company);
        form.jobTitle = TextOf(*m_jobTitle);
    }
    form.address = {ToField(m_addrTitle->currentText()),
                    m_addr->Lines(),
                    TextOf(*m_city),
                    TextOf(*m_state),
                    TextOf(*m_postCode),
                    TextOf(*m_country),
                    TextOf(*m_addrComment)};
    form.phone = {ToField(m_phoneTitle->currentText()), ToField(m_phoneNum->DisplayedText()),
                  ToField(m_phoneNum->PlainValue()), TextOf(*m_extension), TextOf(*m_phoneComment)};
    form.fax = {ToField(m_faxTitle->currentText()), ToField(m_faxNum->DisplayedText()), ToField(m_faxNum->PlainValue()),
                TextOf(*m_faxComment)};
    form.email = {ToField(m_emailTitle->currentText()), TextOf(*m_emailAddr), TextOf(*m_emailComment)};
    form.website = {ToField(m_webTitle->currentText()), ToField(m_web->currentText()), TextOf(*m_webComment)};
    return form;
}

void TPartyEditDlg::LoadSection(int slot)
{
    // The item fills the section from its child with that title; nothing changes when there is none.
    PartyForm form = Collected();
    m_item.LoadSection(static_cast<TPartyObject::Slot>(slot), form);
    FillSection(slot, form);
}

void TPartyEditDlg::LoadAddress()
{
    LoadSection(TPartyObject::SlotAddress);
}

void TPartyEditDlg::LoadPhone()
{
    LoadSection(TPartyObject::SlotPhone);
}

void TPartyEditDlg::LoadFax()
{
    LoadSection(TPartyObject::SlotFax);
}

void TPartyEditDlg::LoadEMail()
{
    LoadSection(TPartyObject::SlotEMail);
}

void TPartyEditDlg::LoadWebsite()
{
    LoadSection(TPartyObject::SlotWebsite);
}

void TPartyEditDlg::FollowNames()
{
    if (!m_titleFollows)
        return;
    QStringList parts;
    for (const QLineEdit* name : {m_first, m_middle, m_last})
        if (!name->text().trimmed().isEmpty())
            parts.append(name->text().trimmed());
    m_title->setText(parts.isEmpty() ? m_presetTitle : parts.join(QLatin1Char(' ')));
}

void TPartyEditDlg::TitleExit()
{
    if (!m_presetTitle.isEmpty() && m_title->text() == m_presetTitle)
        return;
    const NameSplit split = SplitPersonTitle(TextOf(*m_title));
    if (split.first)
        ShowText(*m_first, *split.first);
    if (split.middle)
        ShowText(*m_middle, *split.middle);
    if (split.last)
        ShowText(*m_last, *split.last);
}

void TPartyEditDlg::accept()
{
    // Enter reaches OK without the field losing the focus, and a number on a sheet not shown
    // cannot be left by the user at all: the fields' own check on leaving sees neither.
    for (MaskedNumberEdit* number : {m_phoneNum, m_faxNum}) {
        if (number->IsHalfFilled()) {
            m_pages->setCurrentWidget(number->parentWidget());
            number->CheckComplete();
            return;
        }
    }
    QDialog::accept();
}

bool TPartyEditDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_title && event->type() == QEvent::FocusOut)
        TitleExit();
    return QDialog::eventFilter(watched, event);
}

void TPartyEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // New numbers start in the USA format on both sheets; the preset title is selected, so
    // that typing replaces it.
    if (m_mode == EditMode::New) {
        m_phoneFmt->SelectFormat(0);
        m_faxFmt->SelectFormat(0);
        m_title->setFocus();
        m_title->selectAll();
    }
}

bool EditPartyDialog(const DialogContext& context, TPartyObject& item, PartyForm& form, EditMode mode)
{
    TPartyEditDlg dialog(context, item, mode);
    dialog.Fill(form);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    form = dialog.Collected();
    return true;
}

} // namespace quillary
