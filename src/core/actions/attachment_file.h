// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

// Whether a file named for attaching is there; an unreadable path counts as missing.
bool AttachmentExists(const std::string& path);

} // namespace quillary
