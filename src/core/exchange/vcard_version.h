// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace quillary {

// The vCard versions the reader tells apart and the writer can produce.
enum class VCardVersion { V21, V30, V40 };

// "2.1", "3.0" or "4.0".
std::string_view VCardVersionText(VCardVersion version);
// The version named by such a text, or none.
std::optional<VCardVersion> ParseVCardVersion(std::string_view text);

} // namespace quillary
