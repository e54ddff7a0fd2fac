// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_version.h"

#include <array>

namespace quillary {

namespace {
constexpr std::array<std::string_view, 3> Texts = {"2.1", "3.0", "4.0"};
}

std::string_view VCardVersionText(VCardVersion version)
{
    return Texts.at(static_cast<std::size_t>(version));
}

std::optional<VCardVersion> ParseVCardVersion(std::string_view text)
{
    for (std::size_t i = 0; i < Texts.size(); ++i)
        if (Texts[i] == text)
            return static_cast<VCardVersion>(i);
    return std::nullopt;
}

} // namespace quillary
