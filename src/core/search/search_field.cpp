// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_field.h"

#include <array>

namespace quillary {

std::string_view SearchFieldName(SearchField field)
{
    static constexpr std::array<std::string_view, 19> Names = {
        "Title", "Salutation", "First Name", "Middle Name", "Last Name", "Company",     "Job Title",
        "Phone", "Fax",        "E-Mail",     "Website",     "Address",   "City",        "State",
        "Postal Code", "Country", "Reminder", "Comment", "Category"};
    static_assert(Names.size() == static_cast<std::size_t>(SearchField::Category) + 1);
    return Names[static_cast<std::size_t>(field)];
}

} // namespace quillary
