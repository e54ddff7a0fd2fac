// SPDX-License-Identifier: GPL-3.0-or-later
#include "peak_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace quillary::bench {

std::size_t PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (!line.starts_with("VmHWM:"))
            continue;
        std::istringstream fields(line.substr(6));
        std::size_t kib = 0;
        fields >> kib;
        return kib;
    }
    return 0;
}

} // namespace quillary::bench
