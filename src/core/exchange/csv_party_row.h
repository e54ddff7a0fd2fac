// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/csv_party_columns.h"
#include "exchange/import_counts.h"

#include <string>
#include <vector>

namespace quillary {

class TPartyObject;

// Makes a row's details under the person or organization that read the rest of the row. The first
// detail of each kind becomes primary unless the item already has a primary of that kind from its
// own columns; a detail that repeats such a primary (this program's own export writes both) gives
// it its title instead of making a second one. A detail or date the item cannot take is left out
// with the reason, under row ("row 3: ").
void AddCsvDetails(TPartyObject& party, std::vector<CsvDetail> details, const std::string& row, ImportCounts& counts);
// Yearly reminders for a person's dates; none for an organization.
void AddCsvDates(TPartyObject& party, const std::vector<CsvDate>& dates, const std::string& row, ImportCounts& counts);

} // namespace quillary
