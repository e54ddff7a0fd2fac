// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quillary {

// A file built into the program: its path below the folder it came from ("Icons/folder.gif").
struct EmbeddedFile
{
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};

// Written by the build (cmake/EmbedFiles.cmake), in name order.
extern const EmbeddedFile EmbeddedFiles[];
extern const std::size_t EmbeddedFileCount;

} // namespace quillary
