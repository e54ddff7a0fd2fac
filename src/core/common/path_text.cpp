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

} // namespace quillary
