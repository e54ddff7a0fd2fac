// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

class TKPXObject;
class TreeNode;
struct CsvExportFields;

// What an export of persons or organizations with field names writes after the chosen columns,
// so that an import with the header choice gets every detail and date back: for each kind of
// detail whose value field is chosen ("Address Line 1", "Phone Number", "Fax Number", "E-Mail
// Address", "Website"), numbered groups ("Phone 2 - Label", "Phone 2 - Value") of every such
// detail with its title, the primary first; for persons the dates of their "Birthday" and
// "Anniversary" reminders ("1985-04-12"). There are as many groups as the item with the most
// details of the kind has. The groups of a kind are written only when the chosen column does not
// say it all (some item has another detail of the kind, or a primary titled otherwise than a row
// titles it), and a date only when some person has it: the chosen columns stay as they are, and a
// file the chosen columns describe whole is written as it always was.
class CsvExportDetails
{
public:
    // Looks at every item the export writes (at or below start, of the kind, not filtered out).
    CsvExportDetails(TreeNode& start, const CsvExportFields& columns);

    const std::vector<std::string>& Names() const { return m_names; }
    // The item's values of those columns, each in double quotes and followed by a comma.
    void AppendValues(const TKPXObject& item, std::string& row) const;

private:
    // The details of one primary slot's kind, and how many the item with the most has.
    struct Group
    {
        int slot;
        std::size_t count = 0;
        bool needed = false;
    };

    std::vector<Group> m_groups;
    std::vector<std::string> m_dates;
    std::vector<std::string> m_names;
};

} // namespace quillary
