// SPDX-License-Identifier: GPL-3.0-or-later
// Drag and drop: nodes onto nodes, list entries onto nodes, documents onto contacts, and files
// from the file manager.
#include "ui/shell/main_form.h"

#include "common/path_text.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/document_drop.h"
#include "shell/tree_commands.h"
#include "ui/questions.h"
#include "ui/text_codec.h"

namespace quillary {

namespace {
void TellDepthLimit(QWidget* parent, int refused)
{
    if (refused > 0)
        Questions::Tell(parent, QMessageBox::Warning, QStringLiteral("Warning"), FromField(DepthLimitMessage(refused)));
}
} // namespace

void TMainForm::NodeDropped(TreeNode* target)
{
    TreeNode* dragged = SelectedNode();
    if (!dragged || !target)
        return;
    if (DropPassesDepthLimit(*dragged, *target))
        return TellDepthLimit(this, 1);
    if (!DropNode(*dragged, *target))
        return; // onto itself or into its own subtree: nothing changes
    FoldersChange(SelectedNode());
}

void TMainForm::EntriesDropped(TreeNode* target)
{
    TreeNode* selected = SelectedNode();
    const QList<TKPXObject*> items = SelectedItems();
    if (!selected || !target || items.isEmpty())
        return;
    const int refused = DropEntries(*selected, {items.begin(), items.end()}, *target);
    FoldersChange(selected);
    TellDepthLimit(this, refused);
}

void TMainForm::FileDropped(const QString& path)
{
    TreeNode& holder = HolderNode();
    const std::string file = ToField(path);
    CreateItem(KindDocument, ExtractFileName(file), file, "", holder, "", 0);
    FoldersChange(SelectedNode());
}

void TMainForm::DocumentDroppedOn(TKPXObject* target)
{
    const QList<TKPXObject*> items = SelectedItems();
    if (m_activePane == Pane::Folders || items.isEmpty() || !target)
        return;
    TKPXObject* document = items.first();
    if (document->GetKind() != KindDocument || !AcceptsDocument(*target))
        return;
    const QString title = FromField(target->GetTitle());
    const auto ask = [this](const QString& text) {
        return Questions::Ask(this, QMessageBox::Question, QStringLiteral("Confirm"), text,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                              QMessageBox::Yes) == QMessageBox::Yes;
    };
    // Both questions are asked in turn; No to the first still asks the second.
    if (!DropFaxNumber(*target).empty() && ask(QStringLiteral("Send document via Fax to %1?").arg(title)))
        target->SendFax(document->GetTarget());
    if (!DropEMailAddress(*target).empty() &&
        ask(QStringLiteral("Send document as an E-Mail attachment to %1?").arg(title)))
        target->SendMail(document->GetTarget());
}

} // namespace quillary
