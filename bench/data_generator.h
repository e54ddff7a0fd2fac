// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace quillary::bench {

inline constexpr std::uint32_t DefaultSeed = 19970512;

// Writes a data file as text, record by record, without going through an item tree, so that a
// load measures the reader alone. It holds `persons` persons in folders of 50 to 200 nested two
// or three deep, and an organization for about every 25 persons. Every person and organization
// has an address, two phones, a fax, an e-mail address, a reminder and a website, and its primary
// slots name them. The same seed always gives the same bytes, which are those a save of the file
// writes again.
void WriteGeneratedData(std::ostream& out, int persons, std::uint32_t seed = DefaultSeed);

// The same text as one string, for small files.
std::string GenerateDataText(int persons, std::uint32_t seed = DefaultSeed);

// A delimited text file as Google Contacts exports one, with its header line: per person two
// e-mail addresses, two phones in one cell, an address over two lines, a website and a birthday.
void WriteGoogleShapedCsv(std::ostream& out, int persons);

} // namespace quillary::bench
