// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/due_notices.h"

#include "common/ascii_case.h"
#include "common/text_excerpt.h"
#include "model/due_reminders.h"
#include "model/items_reminder.h"
#include "model/tree_node.h"

namespace quillary {

namespace {

// A notification bubble shows a few lines; the rest are counted.
constexpr std::size_t ListedReminders = 5;
constexpr std::size_t TitleLimit = 80;

// What a birthday or an anniversary brings on the reminder's date: " turns 57", ", 25 years".
std::string YearsText(const TReminderObject& reminder)
{
    const std::optional<int> years = YearsSince(reminder.Origin(), reminder.RecurDate().GetDate());
    if (!years)
        return {};
    if (EqualsNoCase(reminder.GetTitle(), "Birthday"))
        return " turns " + std::to_string(*years);
    if (EqualsNoCase(reminder.GetTitle(), "Anniversary"))
        return ", " + std::to_string(*years) + (*years == 1 ? " year" : " years");
    return {};
}

// The owner's title, with the age its birthday brings.
std::string OwnerTitle(const TReminderObject& reminder)
{
    const TreeNode* owner = reminder.GetTreeNode();
    if (!owner || !owner->Data())
        return {};
    return Excerpt(owner->Data()->GetTitle(), TitleLimit) + YearsText(reminder);
}

std::uint64_t ToldKey(const TReminderObject& reminder)
{
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a of the title, then the rest
    for (const char c : reminder.GetTitle())
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    hash ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(reminder.GetID())) * 0x9E3779B97F4A7C15ULL;
    return hash ^ static_cast<std::uint64_t>(DaysFromCivil(reminder.RecurDate().GetDate())) * 0xC2B2AE3D27D4EB4FULL;
}

std::string Line(const TReminderObject& reminder)
{
    const std::string owner = OwnerTitle(reminder);
    return Excerpt(reminder.GetTitle(), TitleLimit) + (owner.empty() ? "" : " (" + owner + ")");
}

} // namespace

std::vector<TReminderObject*> DueNoticeLog::TakeUntold(ItemTree& tree)
{
    std::vector<TReminderObject*> untold;
    for (TReminderObject* reminder : MarkedReminders(tree))
        if (reminder->IsDue() && m_told.insert(ToldKey(*reminder)).second)
            untold.push_back(reminder);
    return untold;
}

DueNotice ComposeDueNotice(const std::vector<TReminderObject*>& reminders)
{
    DueNotice notice;
    for (const TReminderObject* reminder : reminders)
        notice.reminders.push_back(reminder->GetID());
    if (reminders.size() == 1) {
        const TReminderObject& only = *reminders.front();
        notice.summary = Excerpt(only.GetTitle(), TitleLimit);
        const std::string owner = OwnerTitle(only);
        notice.body = (owner.empty() ? "" : owner + "\n") + "Due " + only.RecurDate().GetDateText();
        return notice;
    }
    notice.summary = std::to_string(reminders.size()) + " reminders are due";
    for (std::size_t i = 0; i < reminders.size() && i < ListedReminders; ++i)
        notice.body += (i ? "\n" : "") + Line(*reminders[i]);
    if (reminders.size() > ListedReminders)
        notice.body += "\nand " + std::to_string(reminders.size() - ListedReminders) + " more";
    return notice;
}

} // namespace quillary
