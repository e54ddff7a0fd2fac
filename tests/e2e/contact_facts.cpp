// SPDX-License-Identifier: GPL-3.0-or-later
// contact_facts DATAFILE: prints what the data file says about its persons and organizations, one
// fact a line (support/contact_facts.h), for scripts that compare a whole program's import with
// facts written by hand.
#include "support/contact_facts.h"

#include "model/data_file.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: contact_facts DATAFILE\n";
        return 2;
    }
    quillary::ItemTree tree;
    if (!quillary::LoadDataFile(tree.Root(), argv[1])) {
        std::cerr << "contact_facts: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::cout << quillary::test::ContactFacts(tree);
    return 0;
}
