// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/search_everywhere_dialog.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/tree_walk.h"
#include "search/search_snapshot.h"
#include "ui/text_codec.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quillary {

namespace {
constexpr std::size_t ShownMatches = 500;
constexpr int HandleRole = Qt::UserRole;
constexpr int IdRole = Qt::UserRole + 1;

bool IsParty(const TreeNode& node)
{
    const int kind = node.Data()->GetKind();
    return kind == KindPerson || kind == KindOrganization;
}

template <typename Visit> void ForEachParty(TreeNode& node, Visit&& visit)
{
    ForEachInSubtree(node, [&](TreeNode& each) {
        if (IsParty(each))
            visit(static_cast<const TPartyObject*>(each.Data()));
    });
}

// The node of the item with that handle and identifier, if it is still in the tree; the handle
// is compared, never followed.
TreeNode* NodeOf(ItemTree& tree, quintptr handle, std::int32_t id)
{
    TreeNode* found = nullptr;
    ForEachInSubtree(tree.Root(), [&](TreeNode& each) {
        if (!found && each.Data()->GetID() == id && reinterpret_cast<quintptr>(each.Data()) == handle)
            found = &each;
    });
    return found;
}

QString CountText(std::size_t count, bool empty)
{
    if (empty)
        return {};
    if (count == 0)
        return QStringLiteral("No matches");
    if (count > ShownMatches)
        return QStringLiteral("More than %1 matches; the first %1 are shown").arg(ShownMatches);
    return count == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(count);
}
} // namespace

SearchEverywhereDialog::SearchEverywhereDialog(ItemTree& tree, Window window, QWidget* parent)
    : QDialog(parent), m_tree(tree), m_window(std::move(window))
{
    setObjectName(QStringLiteral("SearchEverywhere"));
    setWindowTitle(QStringLiteral("Search Everywhere"));
    auto* layout = new QVBoxLayout(this);
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("SearchText"));
    m_query->setAccessibleName(QStringLiteral("Search everywhere for"));
    m_query->setPlaceholderText(QStringLiteral("Name, phone, e-mail, address, note or category"));
    m_query->setClearButtonEnabled(true);
    m_query->installEventFilter(this);
    m_matches = new QTreeWidget(this);
    m_matches->setObjectName(QStringLiteral("SearchMatches"));
    m_matches->setAccessibleName(QStringLiteral("Matches"));
    m_matches->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Field"), QStringLiteral("Value")});
    m_matches->setRootIsDecorated(false);
    m_matches->setUniformRowHeights(true);
    m_matches->setAllColumnsShowFocus(true);
    m_matches->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_matches->header()->setStretchLastSection(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("SearchCount"));
    layout->addWidget(m_query);
    layout->addWidget(m_matches, 1);
    layout->addWidget(m_count);
    resize(680, 440);
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(100);
    connect(m_refresh, &QTimer::timeout, this, &SearchEverywhereDialog::ShowMatches);
    connect(m_query, &QLineEdit::textChanged, this, &SearchEverywhereDialog::ShowMatches);
    connect(m_matches, &QTreeWidget::itemActivated, this, &SearchEverywhereDialog::Choose);
    m_tree.AddObserver(this);
    Rebuild();
}

SearchEverywhereDialog::~SearchEverywhereDialog()
{
    m_tree.RemoveObserver(this);
}

void SearchEverywhereDialog::Rebuild()
{
    const int build = ++m_builds;
    m_removed.clear();
    m_dirty.clear();
    const auto snapshot =
        std::make_shared<std::vector<SearchItem>>(SearchSnapshot(m_tree.Root(), m_window.categoryNames()));
    const std::uint64_t generation = m_tree.ChangeGeneration();
    QPointer<SearchEverywhereDialog> self(this);
    QThread* thread = QThread::create([self, snapshot, build, generation] {
        auto index = std::make_shared<SearchIndex>(std::move(*snapshot));
        QMetaObject::invokeMethod(
            qApp,
            [self, index, build, generation] {
                if (self && build == self->m_builds)
                    self->Built(index, generation);
            },
            Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void SearchEverywhereDialog::Built(std::shared_ptr<SearchIndex> index, std::uint64_t generation)
{
    m_index = std::move(*index);
    for (const TKPXObject* gone : m_removed)
        m_index.Remove(gone);
    m_removed.clear();
    m_ready = true;
    m_generation = generation;
    ShowMatches();
}

void SearchEverywhereDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_query->setFocus();
    m_query->selectAll();
    ShowMatches();
}

bool SearchEverywhereDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_query && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            Step(-1);
            return true;
        case Qt::Key_Down:
            Step(1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Choose();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SearchEverywhereDialog::NodeAdded(TreeNode& node)
{
    ForEachParty(node, [&](const TPartyObject* party) { m_dirty.insert(party); });
    Touch(node);
}

void SearchEverywhereDialog::NodeAboutToBeRemoved(TreeNode& node)
{
    ForEachParty(node, [&](const TPartyObject* party) {
        m_dirty.erase(party);
        m_index.Remove(party);
        m_removed.insert(party); // a build under way may hold it too
    });
    if (node.Parent())
        Touch(*node.Parent()); // a website goes from its owner
}

void SearchEverywhereDialog::NodeMoved(TreeNode& node)
{
    Touch(node);
}

void SearchEverywhereDialog::NodeChanged(TreeNode& node)
{
    Touch(node);
}

void SearchEverywhereDialog::DetailsChanged(TreeNode& owner)
{
    Touch(owner);
}

void SearchEverywhereDialog::TreeResetStarted()
{
    ++m_builds; // a build under way reads items that are about to go
    m_index = SearchIndex();
    m_ready = false;
    m_dirty.clear();
    m_removed.clear();
    m_matches->clear();
}

void SearchEverywhereDialog::TreeResetEnded()
{
    Rebuild();
}

// Called while the tree changes: the item is read again once the change is over.
void SearchEverywhereDialog::Touch(const TreeNode& node)
{
    if (const TPartyObject* owner = SearchOwner(*node.Data()))
        m_dirty.insert(owner);
    if (isVisible())
        m_refresh->start();
}

void SearchEverywhereDialog::TakeChanges()
{
    if (!m_ready)
        return;
    // Field edits are not told item by item: they are made on what the window shows.
    if (m_tree.ChangeGeneration() != m_generation && m_window.selected)
        if (TreeNode* shown = m_window.selected())
            if (const TPartyObject* owner = SearchOwner(*shown->Data()))
                m_dirty.insert(owner);
    if (m_dirty.empty()) {
        m_generation = m_tree.ChangeGeneration();
        return;
    }
    const CategoryNames names = m_window.categoryNames();
    for (const TPartyObject* party : m_dirty)
        m_index.Update(SearchItemOf(*party, names));
    m_dirty.clear();
    m_generation = m_tree.ChangeGeneration();
}

void SearchEverywhereDialog::ShowMatches()
{
    TakeChanges();
    m_matches->clear();
    const QString query = m_query->text();
    if (!m_ready) {
        m_count->setText(QStringLiteral("Reading the contacts..."));
        return;
    }
    const std::vector<SearchHit> hits = m_index.Find(ToField(query), ShownMatches + 1);
    QList<QTreeWidgetItem*> rows;
    for (std::size_t i = 0; i < hits.size() && i < ShownMatches; ++i) {
        const SearchHit& hit = hits[i];
        auto* row = new QTreeWidgetItem({FromField(std::string(hit.title)),
                                         FromField(std::string(SearchFieldName(hit.field))),
                                         FromField(std::string(hit.value))});
        row->setData(0, HandleRole, QVariant::fromValue(reinterpret_cast<quintptr>(hit.item)));
        row->setData(0, IdRole, hit.id);
        rows.append(row);
    }
    m_matches->addTopLevelItems(rows);
    if (!rows.isEmpty())
        m_matches->setCurrentItem(rows.front());
    m_count->setText(CountText(hits.size(), query.trimmed().isEmpty()));
}

void SearchEverywhereDialog::Step(int rows)
{
    const int count = m_matches->topLevelItemCount();
    if (count == 0)
        return;
    const int current = m_matches->indexOfTopLevelItem(m_matches->currentItem());
    m_matches->setCurrentItem(m_matches->topLevelItem(std::clamp(current + rows, 0, count - 1)));
}

void SearchEverywhereDialog::Choose()
{
    const QTreeWidgetItem* row = m_matches->currentItem();
    if (!row)
        return;
    TreeNode* node =
        NodeOf(m_tree, row->data(0, HandleRole).value<quintptr>(), row->data(0, IdRole).toInt());
    if (node)
        m_window.select(*node);
    else
        ShowMatches(); // it went meanwhile
}

} // namespace quillary
