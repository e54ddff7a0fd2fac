// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yearly_reminder.h"

#include "common/clock.h"
#include "dialogs/recurring_date.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_services.h"
#include "model/items_party.h"

#include <string>

namespace quillary {

TKPXObject* MakeYearlyReminder(TPersonObject& person, const YearlyOrigin& origin, std::string_view title)
{
    const ItemServices& services = person.Services();
    TRecurringDate reminder(*services.clock, *services.locale);
    if (!reminder.SetDate(NextOccurrence(origin, services.clock->Today())))
        return nullptr;
    reminder.SetRecurMode(kRecurYearly);
    std::string details(TypeTag(KindReminder));
    details.append(reminder.GetAsText()).append(FieldSeparator).append("0");
    details.append(FieldSeparator).append(OriginText(origin));
    return CreateItem(KindReminder, title, reminder.GetDateText(), "", *person.GetTreeNode(), details, 0);
}

} // namespace quillary
