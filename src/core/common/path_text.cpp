// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/path_text.h"

namespace quillary {

namespace {
std::size_t FolderLength(std::string_view path)
{
    const auto separator = path.find_last_of("/\\");
    if (separator != std::string_view::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}
} // namespace

std::string ExtractFilePath(std::string_view path)
{
    return std::string(path.substr(0, FolderLength(path)));
}

std::string ExtractFileName(std::string_view path)
{
    return std::string(path.substr(FolderLength(path)));
}

std::string GetFolderName(std::string_view path)
{
    std::string_view folder = path.substr(0, FolderLength(path));
    const auto last = folder.find_last_not_of("/\\");
    if (last == std::string_view::npos)
        return std::string(folder.substr(0, 1)); // the root, or no folder at all
    folder = folder.substr(0, last + 1);
    const auto separator = folder.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? folder : folder.substr(separator + 1));
}

} // namespace quillary
