// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizards/vcard_import_dlg.h"

#include "ui/text_codec.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {
VCardQuestion::Hook& CurrentHook()
{
    static VCardQuestion::Hook hook;
    return hook;
}

QLabel* Value(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

TVCImportDlg::TVCImportDlg(const QString& displayName, const QString& organization, QWidget* parent)
    : QDialog(parent), m_orgnBtn(new QPushButton(QStringLiteral("Import as Orgn."), this)),
      m_personBtn(new QPushButton(QStringLiteral("Import as Person"), this))
{
    setObjectName(QStringLiteral("TVCImportDlg"));
    setWindowTitle(QStringLiteral("vCard Import"));
    auto* intro = new QLabel(QStringLiteral("Attempting to read vCard with the following information:"), this);
    auto* card = new QFormLayout;
    card->setContentsMargins(16, 0, 0, 0);
    card->addRow(QStringLiteral("Name:"), Value(QStringLiteral("NameText"), displayName, this));
    card->addRow(QStringLiteral("Organization:"), Value(QStringLiteral("OrgText"), organization, this));
    auto* question = new QLabel(QStringLiteral("How should this vCard be imported?"), this);
    question->setObjectName(QStringLiteral("Question"));
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);

    m_orgnBtn->setObjectName(QStringLiteral("OrgnBtn"));
    m_personBtn->setObjectName(QStringLiteral("PersonBtn"));
    m_orgnBtn->setAutoDefault(false);
    m_personBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_orgnBtn);
    buttons->addWidget(m_personBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(card);
    layout->addSpacing(6);
    layout->addWidget(question);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_orgnBtn, &QPushButton::clicked, this, [this] { done(QMessageBox::Yes); });
    connect(m_personBtn, &QPushButton::clicked, this, [this] { done(QMessageBox::No); });
}

void VCardQuestion::SetHook(Hook hook)
{
    CurrentHook() = std::move(hook);
}

bool VCardQuestion::ImportAsOrganization(const std::string& displayName, const std::string& organization)
{
    if (CurrentHook())
        return CurrentHook()(FromField(displayName), FromField(organization));
    TVCImportDlg dialog(FromField(displayName), FromField(organization), m_parent);
    return dialog.exec() == QMessageBox::Yes;
}

} // namespace quillary
