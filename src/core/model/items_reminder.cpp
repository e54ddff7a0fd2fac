// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_reminder.h"

#include "model/field_text.h"
#include "model/item_forms.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

namespace quillary {

TReminderObject::TReminderObject(ItemTree& tree, std::string_view title, std::string_view target,
                                 std::string_view comment, std::int32_t id, std::string_view details)
    : TKPXObject(tree, KindReminder, id), m_date(*Services().clock, *Services().locale)
{
    m_date.UseToday = false;
    ReadDetails({title, target, comment}, details);
}

bool TReminderObject::IsDue() const
{
    return Services().clock->Today() >= m_date.GetDate();
}

std::optional<YearlyOrigin> TReminderObject::Origin() const
{
    if (m_originMonth == 0)
        return std::nullopt;
    return YearlyOrigin{m_originYear, m_originMonth, m_originDay};
}

void TReminderObject::SetOrigin(const YearlyOrigin& origin)
{
    m_originYear = static_cast<std::uint16_t>(origin.year);
    m_originMonth = static_cast<std::uint8_t>(origin.month);
    m_originDay = static_cast<std::uint8_t>(origin.day);
}

int TReminderObject::GetImageIndex() const
{
    return IsDue() ? static_cast<int>(ImageDueReminder) : static_cast<int>(KindReminder);
}

void TReminderObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    SetRecordTexts(head);
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindReminder), fields)) {
        m_date.SetAsText(fields[0]);
        ReadCategories(fields, 1);
        if (const std::optional<YearlyOrigin> origin = ParseOriginText(fields.At(2)))
            SetOrigin(*origin);
    }
    UpdateDueState();
}

void TReminderObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    AppendDetailLine(out, TypeTag(KindReminder), {m_date.GetAsText(), CategoriesText()});
    if (const std::optional<YearlyOrigin> origin = Origin())
        out.append(FieldSeparator).append(OriginText(*origin));
}

void TReminderObject::UpdateDueState()
{
    SetFlag(IsDue() ? 1 : 0);
}

bool TReminderObject::EditWith(EditMode mode)
{
    ReminderForm form{mode == EditMode::New ? std::string("New Reminder") : GetTitle(),
                      mode == EditMode::New ? std::string() : GetComment()};
    // The dialog changes the date itself; those changes stand even when it is cancelled.
    const std::string dateBefore = m_date.GetDateText();
    const bool accepted = Services().dialogs->EditReminder(*this, form, m_date, mode);
    if (m_date.GetDateText() != dateBefore)
        Tree().MarkChanged();
    if (!accepted || form.title.empty())
        return false;
    ApplyCommon(form.title, m_date.GetDateText(), form.comment);
    UpdateDueState();
    return true;
}

bool TReminderObject::EditNew(TreeNode&)
{
    return EditWith(EditMode::New);
}

void TReminderObject::EditProperties()
{
    EditWith(EditMode::Properties);
}

void TReminderObject::Reselect()
{
    if (GetTreeNode())
        Services().view->ReselectNode(*GetTreeNode());
}

void TReminderObject::OpenDefault()
{
    EditProperties();
    Reselect();
}

void TReminderObject::AdvanceDate()
{
    m_date.Advance();
    SetTarget(m_date.GetDateText());
    UpdateDueState();
    Reselect();
}

} // namespace quillary
