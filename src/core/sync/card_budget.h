// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillary {

// What a card from a server may be: the room a photo of some megabytes needs, and lines far
// beyond any contact's. A larger card is not taken (the contact is named in the run's summary and
// stays on the server as it is); without a bound a server could make one card cost gigabytes.
inline constexpr std::size_t MaxCardBytes = 4 * 1024 * 1024;
inline constexpr std::size_t MaxCardLines = 1024;
// The cards one reply may bring; a batch that would bring more is asked for in halves.
inline constexpr std::size_t MaxCardBytesPerReply = 64 * 1024 * 1024;

// "larger than 4 MiB".
std::string CardTooLargeReason();

// Why a card's text is not taken, or empty text.
std::string CardRefusal(std::string_view card);

} // namespace quillary
