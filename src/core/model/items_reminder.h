// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/recurring_date.h"
#include "model/item_forms.h"
#include "model/kpx_object.h"
#include "model/yearly_origin.h"

#include <cstdint>
#include <optional>

namespace quillary {

// A recurring date that marks its owner in the folder tree while it is due (today on or after
// its date). Target holds the date in the short date format.
class TReminderObject final : public TKPXObject
{
public:
    TReminderObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                    std::int32_t id, std::string_view details);

    TRecurringDate& RecurDate() { return m_date; }
    const TRecurringDate& RecurDate() const { return m_date; }
    bool IsDue() const;
    // The birthday or anniversary an import gave, whose occurrence the date stands on; written
    // after the categories, so a line without it reads as it always has.
    std::optional<YearlyOrigin> Origin() const;
    void SetOrigin(const YearlyOrigin& origin);
    // The date a card or an export row gives for the reminder (BeganOn).
    YearlyOrigin Began() const { return BeganOn(Origin(), m_date.GetDate()); }

    // The picture is worked out afresh each time, so it turns due on a new day before the marker does.
    int GetImageIndex() const override;
    void WriteRecord(std::string& out, int level) const override;
    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupAdvanceDate); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override;
    void AdvanceDate() override;

    // Sets or clears the due marker from today's date.
    void UpdateDueState();

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    bool EditWith(EditMode mode);
    void Reselect();

    TRecurringDate m_date;
    // The origin, packed: month 0 when there is none.
    std::uint16_t m_originYear = 0;
    std::uint8_t m_originMonth = 0;
    std::uint8_t m_originDay = 0;
};

} // namespace quillary
