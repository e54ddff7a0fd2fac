// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// "mailto:" and the address, with every byte that could end the address or start a header
// ("?", "&", "#", "%", blanks, quotes, non-ASCII) percent-encoded.
std::string MailtoLink(std::string_view address);

} // namespace quillary
