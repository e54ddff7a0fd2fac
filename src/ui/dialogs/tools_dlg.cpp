// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/tools_dlg.h"

#include "shell/tool_items.h"
#include "ui/dialogs/tool_list_widget.h"
#include "ui/widgets/named_widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {

constexpr QSize ClientSize(242, 228);

} // namespace

TToolsDlg::TToolsDlg(TToolItems& tools, const QtIconStore& icons, Shell& shell, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_shell(shell)
{
    setObjectName(QStringLiteral("TToolsDlg"));
    setWindowTitle(QStringLiteral("Tools"));
    m_toolsList = new ToolListWidget(this);
    m_toolsList->Fill(tools, icons);
    m_launch = NamedButton(QStringLiteral("&Launch"), "LaunchBtn", this);
    m_address = NamedButton(QStringLiteral("&New Address..."), "AddrBtn", this);
    auto* close = NamedButton(QStringLiteral("&Close"), "CloseBtn", this);
    m_launch->setEnabled(false);
    m_address->setEnabled(false);

    connect(m_toolsList, &QListWidget::itemSelectionChanged, this, &TToolsDlg::ToolsListClick);
    connect(m_toolsList, &QListWidget::itemDoubleClicked, this, &TToolsDlg::LaunchBtnClick);
    connect(m_launch, &QPushButton::clicked, this, &TToolsDlg::LaunchBtnClick);
    connect(m_address, &QPushButton::clicked, this, &TToolsDlg::AddrBtnClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_launch);
    buttons->addWidget(m_address);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_toolsList);
    layout->addLayout(buttons);
    resize(ClientSize);
}

void TToolsDlg::ToolsListClick()
{
    const TToolItem* tool = m_toolsList->SelectedTool();
    m_launch->setEnabled(tool != nullptr);
    m_address->setEnabled(tool && tool->AllowAddressItem);
}

void TToolsDlg::LaunchBtnClick()
{
    const TToolItem* tool = m_toolsList->SelectedTool();
    if (!tool)
        return;
    m_shell.Open(tool->Filename, tool->LaunchParameters(""), tool->WorkingDirectory());
    reject();
}

void TToolsDlg::AddrBtnClick()
{
    m_chosen = m_toolsList->SelectedTool();
    // Only a tool that allows address items may be hung into the tree, whatever enabled the button.
    if (m_chosen && !m_chosen->AllowAddressItem)
        m_chosen = nullptr;
    if (m_chosen)
        accept();
}

} // namespace quillary
