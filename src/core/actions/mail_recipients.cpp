// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/mail_recipients.h"

#include "common/comma_text.h"
#include "model/kpx_object.h"

namespace quillary {

std::vector<std::string> CollectMailRecipients(const std::vector<const TKPXObject*>& rows)
{
    // Every answer ends with its own comma; the one after the last answer is not a separator.
    std::string text;
    for (const TKPXObject* row : rows)
        text += row->GetFieldText("E-Mail Address");
    if (!text.empty() && text.back() == ',')
        text.pop_back();
    std::vector<std::string> recipients = SplitCommaText(text);
    // A last row without an address still stands for one (empty) recipient.
    if (!text.empty() && text.back() == ',')
        recipients.emplace_back();
    return recipients;
}

} // namespace quillary
