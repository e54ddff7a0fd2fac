// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quillary::bench {

// The process's peak resident set so far (VmHWM), in KiB; 0 where /proc does not tell it.
std::size_t PeakResidentKiB();

} // namespace quillary::bench
