// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/save_leftovers.h"

#include "common/temporary_file.h"
#include "model/data_file.h"
#include "reports/page_settings.h"

namespace quillary {

int RemoveSaveLeftovers(const std::filesystem::path& workingFolder, const std::filesystem::path& settingsFile)
{
    int removed = RemoveStaleTemporaries(settingsFile);
    for (const std::string_view name : {DataFileName, ClipFileName, ReturnAddressFileName})
        removed += RemoveStaleTemporaries(workingFolder / name);
    return removed;
}

} // namespace quillary
