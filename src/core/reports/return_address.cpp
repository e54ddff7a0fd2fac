// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/text_line_reader.h"
#include "reports/page_settings.h"

#include <fstream>

namespace quillary {

std::vector<std::string> LoadReturnAddress(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return {};
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw FileError(file, "Cannot open file");
    try {
        return ReadTextLines(in);
    } catch (const FileError&) {
        throw FileError(file, "Cannot read file");
    }
}

void SaveReturnAddress(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    WriteFileAtomically(file, [&](std::ostream& out) {
        for (const std::string& line : lines)
            out << line << "\r\n";
    });
}

} // namespace quillary
