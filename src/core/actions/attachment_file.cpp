// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/attachment_file.h"

#include <filesystem>

namespace quillary {

bool AttachmentExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(std::filesystem::path(path), error);
}

} // namespace quillary
