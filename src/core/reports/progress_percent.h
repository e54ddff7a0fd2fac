// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

// The whole percentage of long work done, rounded toward zero: 1 of 3 is 33. With a maximum of 0
// the share cannot be computed and reads 100.
int ProgressPercent(int position, int maximum);

// As the progress box shows it: "33%".
std::string PercentText(int position, int maximum);

} // namespace quillary
