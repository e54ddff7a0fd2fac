// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace quillary {

// Puts the pictures that published pages use into a working directory: the shipped icons into
// "Web Graphics/Icons" and the background tiles and their previews into "Web Graphics/Backgrounds"
// (WebIconsFolder, WebBackgroundsFolder). Creates the folders; writes only files missing there
// (a broken link counts as present), so a picture the user replaced stays. Each file appears whole
// or not at all and is owner-writable. Returns an empty text when every picture is in place, else
// a short message about the first failure; the pictures that could be placed are.
std::string InstallWebGraphics(const std::filesystem::path& workingDirectory);

} // namespace quillary
