// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/due_reminders.h"

#include "common/clock.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_reminder.h"
#include "model/tree_node.h"
#include "model/tree_walk.h"

#include <algorithm>

namespace quillary {

std::vector<TReminderObject*> AllReminders(ItemTree& tree)
{
    std::vector<TReminderObject*> reminders;
    ForEachInSubtree(tree.Root(), [&reminders](TreeNode& node) {
        const TKPXObject* owner = node.Data();
        for (int i = 0; owner && i < owner->ChildCount(); ++i)
            if (owner->ChildAt(i)->GetKind() == KindReminder)
                reminders.push_back(static_cast<TReminderObject*>(owner->ChildAt(i)));
    });
    return reminders;
}

namespace {
void AddMarked(TreeNode& node, std::vector<TReminderObject*>& marked)
{
    const TKPXObject* owner = node.Data();
    for (int i = 0; owner && i < owner->ChildCount(); ++i)
        if (owner->ChildAt(i)->GetKind() == KindReminder && owner->ChildAt(i)->GetFlagged())
            marked.push_back(static_cast<TReminderObject*>(owner->ChildAt(i)));
    for (TreeNode* child = node.FirstChild(); child; child = child->NextSibling())
        if (child->FlagCount() > 0)
            AddMarked(*child, marked);
}
} // namespace

std::vector<TReminderObject*> MarkedReminders(ItemTree& tree)
{
    std::vector<TReminderObject*> marked;
    AddMarked(tree.Root(), marked); // the root counts nothing, so its children are all looked at
    return marked;
}

std::vector<TReminderObject*> RefreshDueMarkers(ItemTree& tree)
{
    std::vector<TReminderObject*> changed;
    for (TReminderObject* reminder : AllReminders(tree)) {
        const int before = reminder->GetFlagged();
        reminder->UpdateDueState();
        if (reminder->GetFlagged() != before)
            changed.push_back(reminder);
    }
    return changed;
}

std::vector<TReminderObject*> DueWithin(ItemTree& tree, std::int64_t days)
{
    const CivilDate last = AddDays(tree.Services().clock->Today(), days);
    std::vector<TReminderObject*> due;
    for (TReminderObject* reminder : AllReminders(tree))
        if (reminder->RecurDate().GetDate() <= last)
            due.push_back(reminder);
    std::stable_sort(due.begin(), due.end(), [](const TReminderObject* a, const TReminderObject* b) {
        return a->RecurDate().GetDate() < b->RecurDate().GetDate();
    });
    return due;
}

TReminderObject* FindReminder(ItemTree& tree, std::int32_t id)
{
    for (TReminderObject* reminder : AllReminders(tree))
        if (reminder->GetID() == id)
            return reminder;
    return nullptr;
}

} // namespace quillary
