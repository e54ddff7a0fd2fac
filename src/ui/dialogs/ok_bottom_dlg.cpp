// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ok_bottom_dlg.h"

#include <QFrame>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent)
{
    m_bevel = new QFrame(this);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameShape(QFrame::StyledPanel);
    m_bevel->setFrameShadow(QFrame::Sunken);

    m_buttons = new QDialogButtonBox(this);
    m_ok = MakeButton(QStringLiteral("OK"), "OKBtn", this);
    m_cancel = MakeButton(QStringLiteral("Cancel"), "CancelBtn", this);
    AddButton(m_ok, QDialogButtonBox::AcceptRole);
    AddButton(m_cancel, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    // QDialog itself answers Escape with reject(), the same as Cancel.
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bevel);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TOKBottomDlg::AddButton(QPushButton* button, QDialogButtonBox::ButtonRole role)
{
    m_buttons->addButton(button, role);
}

std::vector<QWidget*> TOKBottomDlg::ButtonsInOrder() const
{
    std::vector<QWidget*> order;
    QLayout* row = m_buttons->layout();
    for (int i = 0; row && i < row->count(); ++i)
        if (QWidget* widget = row->itemAt(i)->widget())
            order.push_back(widget);
    return order;
}

} // namespace quillary
