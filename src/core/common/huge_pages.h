// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quillary {

// Large regions of memory the system is asked to back with 2 MiB pages. Loading a big file
// touches hundreds of megabytes for the first time; in 4 KiB pages that is a fault and a page
// table walk every few items, which costs most on a virtual machine. The pages come zeroed.
inline constexpr std::size_t HugePageSize = std::size_t{2} << 20;

// A zeroed region of bytes rounded up to whole huge pages, aligned to one; throws bad_alloc.
void* MapHugePages(std::size_t bytes);
// bytes as given to MapHugePages.
void UnmapHugePages(void* region, std::size_t bytes) noexcept;

} // namespace quillary
