// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/source_file.h"

#include "common/ascii_case.h"
#include "common/file_error.h"
#include "common/text_line_reader.h"

#include <fstream>

namespace quillary {

std::vector<std::string> ReadSourceFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw FileError(file, "Cannot open file");
    std::vector<std::string> lines = ReadTextLines(in);
    if (in.bad())
        throw FileError(file, "Cannot read file");
    return lines;
}

std::optional<std::filesystem::path> FindSourceFile(const std::filesystem::path& folder, std::string_view name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::exists(exact, error))
        return exact;
    std::optional<std::filesystem::path> found;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (EqualsNoCase(path.filename().string(), name) && (!found || path < *found))
            found = path;
    }
    return found;
}

} // namespace quillary
