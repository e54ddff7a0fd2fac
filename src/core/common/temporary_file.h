// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillary {

// The new content of a file while it is written, beside the file it will replace, named
// "<name>.tmp-<16 hexadecimal digits>". The file is made exclusively: an existing name, a
// link included, is never opened, whoever planted it; another name is drawn instead. It is
// removed again unless it was renamed over its target.
class TemporaryFile
{
public:
    // Draws the part of the name after ".tmp-"; random unless a test fixes it.
    using NameSource = std::function<std::string()>;
    static std::string RandomName();

    // Creates the file with exactly that mode, whatever the umask; without a mode, with what the
    // umask leaves of 0666. Throws FileError naming target.
    TemporaryFile(const std::filesystem::path& target, std::optional<std::filesystem::perms> mode,
                  const NameSource& names = RandomName);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    int Descriptor() const { return m_fd; }
    // Closes the file and puts it in target's place. Throws FileError naming target.
    void RenameOver(const std::filesystem::path& target);

private:
    void Discard();

    std::filesystem::path m_path;
    int m_fd = -1;
};

// Whether name (a file name without folder) is one of target's temporary files: ours, or the
// "<name>.tmp<up to 6 digits>" of earlier versions.
bool IsTemporaryNameOf(const std::filesystem::path& target, const std::string& name);

// Removes the temporary files that a killed save left beside target (beside the end of its
// links, where saves write): only names of the pattern above, only regular files this user owns.
// Call it while nothing can be saving to target (the data file's lock held). Returns how many
// were removed; a folder that cannot be read removes none.
int RemoveStaleTemporaries(const std::filesystem::path& target);

} // namespace quillary
