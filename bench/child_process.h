// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary::bench {

// Starts this program afresh with the given arguments, waits for it and returns what it wrote
// to its standard output. A fresh process starts with a fresh peak-memory count. Throws
// std::runtime_error when it cannot be started or does not exit with status 0.
std::string RunSelf(const std::vector<std::string>& arguments);

} // namespace quillary::bench
