// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "figures.h"

#include <filesystem>

namespace quillary::bench {

// Loads the data file into fresh trees and saves it into scratch, keeping the best of `runs`
// tries of each, and times walking and searching the loaded tree. Meant to run alone in its
// own process, so that the peak memory it reports is the file's.
Figures MeasureDataFile(const std::filesystem::path& file, const std::filesystem::path& scratch, int persons, int runs);

} // namespace quillary::bench
