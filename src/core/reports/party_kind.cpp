// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/party_kind.h"

#include "model/category_filter.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"

namespace quillary {

bool IsShownParty(const TKPXObject& item)
{
    const int kind = item.GetKind();
    return (kind == KindPerson || kind == KindOrganization) && !IsFilteredOut(item);
}

} // namespace quillary
