// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_attention_dialog.h"

#include "sync/sync_report.h"
#include "ui/plain_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {
void AddNames(QListWidget& list, const QString& prefix, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        list.addItem(prefix + QString::fromStdString(name));
}
} // namespace

SyncAttentionDialog::SyncAttentionDialog(QWidget* parent, const QString& account, const SyncReport& report)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SyncAttentionDialog"));
    setWindowTitle(QStringLiteral("Synchronization with %1").arg(account));
    auto* layout = new QVBoxLayout(this);
    auto* text = AsPlainText(new QLabel(this));
    text->setWordWrap(true);
    auto* names = new QListWidget(this);
    names->setObjectName(QStringLiteral("Contacts"));
    names->setAccessibleName(QStringLiteral("Contacts"));
    auto* buttons = new QDialogButtonBox(this);
    const bool massDelete = report.outcome == SyncReport::Outcome::MassDeleteRefused;
    if (massDelete) {
        text->setText(QStringLiteral("This synchronization would delete %1 contacts here and %2 on the server: more "
                                     "than half of one side, or all of it. Nothing was deleted. If the server or "
                                     "the folder was emptied by mistake, keep everything and check the account.")
                          .arg(report.deletesHere.size())
                          .arg(report.deletesThere.size()));
        AddNames(*names, QStringLiteral("Here: "), report.deletesHere);
        AddNames(*names, QStringLiteral("On the server: "), report.deletesThere);
        buttons->addButton(QStringLiteral("&Go Ahead with the Deletions"), QDialogButtonBox::AcceptRole);
        QPushButton* keep = buttons->addButton(QStringLiteral("&Keep Everything and Pause"), QDialogButtonBox::RejectRole);
        keep->setDefault(true);
    } else {
        text->setText(QStringLiteral("These contacts were changed differently here and on the server. Both values "
                                     "were kept (the server's beside yours, an address titled \"Conflict\"); "
                                     "remove the one you do not want."));
        AddNames(*names, QString(), report.conflicts);
        buttons->addButton(QDialogButtonBox::Ok)->setDefault(true);
    }
    text->setBuddy(names);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(text);
    layout->addWidget(names);
    layout->addWidget(buttons);
    resize(440, 320);
}

} // namespace quillary
