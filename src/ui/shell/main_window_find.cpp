// SPDX-License-Identifier: GPL-3.0-or-later
// Find as you type, F3, and the ANY/ALL category filter with its pane.
#include "ui/shell/main_form.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/locate.h"
#include "ui/reports/progress_form.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/search_everywhere_dialog.h"
#include "ui/text_codec.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace quillary {

void TMainForm::FindEditBoxChange(const QString& text)
{
    // The search runs once, a second after the last keystroke; clearing the box starts nothing.
    if (!text.isEmpty())
        m_searchTime->start();
}

void TMainForm::SearchEverywhereClick()
{
    if (!m_searchEverywhere) {
        SearchEverywhereDialog::Window window;
        window.categoryNames = [this] { return CategoryNameFields(); };
        window.selected = [this] { return SelectedNode(); };
        window.select = [this](TreeNode& node) { SelectNode(node); };
        m_searchEverywhere = new SearchEverywhereDialog(Tree(), std::move(window), this);
    }
    m_searchEverywhere->show();
    m_searchEverywhere->raise();
    m_searchEverywhere->activateWindow();
}

void TMainForm::FindItemClick()
{
    if (!m_findEdit->text().isEmpty())
        Locate(m_findEdit->text());
}

bool TMainForm::Locate(const QString& text)
{
    m_searchTime->stop();
    if (text.isEmpty())
        return false;
    if (!SelectedNode())
        SelectNode(Tree().Root());
    int start = SelectedNode()->AbsoluteIndex();
    QAbstractItemView* list = static_cast<QAbstractItemView*>(m_listStack->currentWidget());
    const std::vector<int> rows = SelectedEntryRows();
    if (!rows.empty()) {
        // The search goes on after the node that holds the selected entry.
        if (TKPXObject* item = m_listModel->ItemAt(rows.front()); item && item->GetTreeNode())
            start = item->GetTreeNode()->AbsoluteIndex();
        list->selectionModel()->select(m_listModel->index(rows.front(), 0),
                                       QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
    if (!m_progress)
        m_progress = new TProgressForm(this);
    m_progress->Start(QStringLiteral("Searching..."), Tree().NodeCount() - 1);
    m_progress->ShowNow();
    const auto result =
        quillary::Locate(Tree(), ToField(text), start, [this](int visited, int) { m_progress->SetPosition(visited); });
    m_progress->hide();
    if (!result || !result->node) {
        m_panels[0]->setText(QStringLiteral("No title containing \"%1\" was found.").arg(text));
        return false;
    }
    SelectNode(*result->node);
    if (result->entryTitle.empty()) {
        m_folders->setFocus();
        return true;
    }
    const QString title = FromField(result->entryTitle);
    for (int row = 0; row < m_listModel->rowCount(); ++row) {
        const QModelIndex index = m_listModel->index(row, 0);
        if (index.data().toString().compare(title, Qt::CaseInsensitive) == 0) {
            list->selectionModel()->setCurrentIndex(index,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            list->scrollTo(index);
            list->setFocus();
            return true;
        }
    }
    // The filter hides the entry: the tree keeps the focus.
    m_folders->setFocus();
    return true;
}

void TMainForm::ShowItems(const std::vector<TKPXObject*>& items)
{
    TreeNode* owner = items.empty() ? nullptr : items.front()->GetTreeNode();
    if (!owner)
        return;
    SelectNode(*owner);
    QAbstractItemView* list = static_cast<QAbstractItemView*>(m_listStack->currentWidget());
    QModelIndex first;
    for (int row = 0; row < m_listModel->rowCount(); ++row) {
        if (std::find(items.begin(), items.end(), m_listModel->ItemAt(row)) == items.end())
            continue;
        const QModelIndex index = m_listModel->index(row, 0);
        list->selectionModel()->select(
            index, (first.isValid() ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) |
                       QItemSelectionModel::Rows);
        if (!first.isValid())
            first = index;
    }
    if (!first.isValid()) {
        // The category filter hides them: the owner is what can be shown.
        m_folders->setFocus();
        return;
    }
    list->selectionModel()->setCurrentIndex(first, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->scrollTo(first);
    list->setFocus();
}

void TMainForm::FilterBtnClick()
{
    const bool shown = m_filterAny->isChecked() || m_filterAll->isChecked();
    Tree().Filter().mode = m_filterAny->isChecked()   ? CategoryFilter::Mode::Any
                            : m_filterAll->isChecked() ? CategoryFilter::Mode::All
                                                       : CategoryFilter::Mode::Off;
    // The pane that appears takes the width of the one that goes.
    if (shown && m_filterList->isHidden()) {
        m_filterList->setFixedWidth(m_folders->width());
        m_folders->hide();
        m_filterList->show();
    } else if (!shown && !m_filterList->isHidden()) {
        m_folders->setFixedWidth(m_filterList->width());
        m_filterList->hide();
        m_folders->show();
    }
    FoldersChange(SelectedNode());
}

void TMainForm::FilterListBoxClick()
{
    std::uint32_t mask = 0;
    for (int i = 0; i < 32 && i < m_filterList->count(); ++i)
        if (m_filterList->item(i)->checkState() == Qt::Checked)
            mask |= CategoryBit(i + 1);
    Tree().Filter().mask = mask;
    FoldersChange(SelectedNode());
}

} // namespace quillary
