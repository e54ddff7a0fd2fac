// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quillary {

// What separates the fields of a delimited text file. Auto is a request to recognise it.
enum class CsvSeparator { Auto, Comma, Semicolon, Tab };

// The character of a separator other than Auto.
char SeparatorChar(CsvSeparator separator);

// Counts commas, semicolons and tabs outside double quotes: the one the first line holds most
// often wins, ties go to the one most frequent in the first ten lines, then to the comma, which
// is also the answer for a text that holds none.
CsvSeparator DetectCsvSeparator(std::string_view text);

} // namespace quillary
