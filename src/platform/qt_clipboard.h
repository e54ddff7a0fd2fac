// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

#include <QString>

#include <optional>
#include <string>

namespace quillary {

// The system clipboard with the program's private format "TARNWELLS": item records in the
// data file's record format. Windows programs know the format by that name; on Linux it is the
// MIME type Qt gives a Windows format, so the two can meet.
class QtClipboard final : public ItemClipboard
{
public:
    static QString PrivateFormat();

    // One item's record under the private format together with its plain text.
    void SetItemRecord(const std::string& record, const std::string& plainText) override;
    // Records under the private format alone.
    static void SetRecords(const std::string& records);
    // The records under the private format; none when the clipboard holds no such data.
    static std::optional<std::string> Records();
};

} // namespace quillary
