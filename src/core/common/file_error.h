// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace quillary {

// A file that could not be created, read or written; the message names the file.
class FileError : public std::runtime_error
{
public:
    FileError(const std::filesystem::path& path, const std::string& what)
        : std::runtime_error(what + ": " + path.string()), m_path(path)
    {
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace quillary
