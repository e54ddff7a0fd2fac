// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/shipped_web_graphics.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "graphics/embedded_files.h"

namespace quillary {

namespace fs = std::filesystem;

namespace {
// A symbolic link counts as present even when it leads nowhere: it is the user's.
bool IsPresent(const fs::path& path)
{
    std::error_code ignored;
    return fs::symlink_status(path, ignored).type() != fs::file_type::not_found;
}

// Makes the folder of a picture; returns what went wrong, empty when nothing did.
std::string MakeFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        return "cannot create the folder " + folder.string();
    return {};
}

std::string PlaceFile(const EmbeddedFile& file, const fs::path& destination)
{
    try {
        WriteFileAtomically(destination, [&](std::ostream& out) {
            out.write(reinterpret_cast<const char*>(file.bytes), static_cast<std::streamsize>(file.size));
        });
    } catch (const FileError& error) {
        return "cannot write " + destination.string() + " (" + error.what() + ")";
    }
    return {};
}
} // namespace

std::string InstallWebGraphics(const fs::path& workingDirectory)
{
    const fs::path target = workingDirectory / "Web Graphics";
    std::string firstProblem;
    const auto note = [&](std::string problem) {
        if (firstProblem.empty())
            firstProblem = std::move(problem);
    };
    BatchedSync batch(target);
    for (std::size_t i = 0; i < EmbeddedFileCount; ++i) {
        const EmbeddedFile& file = EmbeddedFiles[i];
        const fs::path destination = target / file.name;
        if (const std::string problem = MakeFolder(destination.parent_path()); !problem.empty()) {
            note(problem);
            continue;
        }
        if (!IsPresent(destination))
            note(PlaceFile(file, destination));
    }
    return firstProblem;
}

} // namespace quillary
