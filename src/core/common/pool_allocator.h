// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quillary {

// Blocks of the shared BlockPool, for headers that should not see the pool itself. Blocks are
// aligned as pointers are.
void* AllocatePoolBlock(std::size_t size);
void FreePoolBlock(void* block, std::size_t size) noexcept;

} // namespace quillary
