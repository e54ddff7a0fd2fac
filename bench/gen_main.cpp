// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-gen N FILE: writes a data file of N generated persons, for trying the program on a
// large address book.
#include "data_generator.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quillary-gen N FILE\n";
        return 2;
    }
    int persons = 0;
    try {
        persons = std::stoi(argv[1]);
    } catch (const std::exception&) {
    }
    if (persons < 1) {
        std::cerr << "quillary-gen: N must be a number of at least 1\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (out)
        quillary::bench::WriteGeneratedData(out, persons);
    if (!out.flush()) {
        std::cerr << "quillary-gen: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
