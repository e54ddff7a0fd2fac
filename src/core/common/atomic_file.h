// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

namespace quillary {

// Writes a file so that it is either wholly replaced or not touched: the text goes to a
// temporary file in the same folder (TemporaryFile), which is flushed to disk and then renamed
// over the old one. Throws FileError when any step fails; the temporary file is removed again.
//
// - A symbolic link is written through: the end of its chain is replaced (the temporary file
//   beside it) and the link stays a link.
// - A replaced file keeps its mode, and its owner and group where this user may give them; the
//   temporary file has that mode from its creation on.
// - A new file is private, 0600 whatever the umask (contacts are nobody else's business), unless
//   a SharedFileMode is alive.
void WriteFileAtomically(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write);

// While one is alive on a thread, WriteFileAtomically on that thread leaves out its flushes to
// disk, and the whole batch is flushed once when the last one ends. Writing thousands of small
// files (a published site) is then bounded by the disk's bandwidth instead of its sync latency;
// each file still appears whole or not at all.
class BatchedSync
{
public:
    explicit BatchedSync(std::filesystem::path folder);
    ~BatchedSync();
    BatchedSync(const BatchedSync&) = delete;
    BatchedSync& operator=(const BatchedSync&) = delete;

private:
    std::filesystem::path m_folder;
};

// While one is alive on a thread, new files that WriteFileAtomically makes on that thread get
// the mode the umask gives (0666 less the umask) instead of 0600: a published web site is meant
// to be read by a web server.
class SharedFileMode
{
public:
    SharedFileMode();
    ~SharedFileMode();
    SharedFileMode(const SharedFileMode&) = delete;
    SharedFileMode& operator=(const SharedFileMode&) = delete;
};

} // namespace quillary
