// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quillary::cli::Run(args, std::cout, std::cerr);
}
