// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillary {

// The sync state keeps each card both sides agreed on, so that what the tree does not hold goes
// back to the server with the next upload. Large values of that kind (a photo, a logo, a sound,
// a key) are not kept in it: in their place stands a reference, "quillary-held:sha256:<digest>:
// <bytes>", and an upload over such a card first fetches the server's copy, which holds them.
// So the state stays small whatever the cards carry, and no photo is lost or degraded.
inline constexpr std::size_t MaxKeptValueBytes = 1024;

// The card as the state keeps it: unchanged when nothing in it is large (or it is not UTF-8), else
// with each large value the tree does not hold replaced by its reference.
std::string CardWithValuesHeld(std::string_view card);

// Whether the state's card stands for values the server's copy holds.
bool HoldsValues(std::string_view keptCard);

} // namespace quillary
