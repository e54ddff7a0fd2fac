// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// Puts the pictures that published pages use into a working directory: the shipped icons into
// "Web Graphics/Icons" and the background tiles and their previews into "Web Graphics/Backgrounds".
// Creates the folders; copies only files missing there, so a picture the user replaced stays.
// Copies are owner-writable. Returns an empty text when every picture is in place, else a short
// message about the first failure, which is also logged; the pictures that could be placed are.
QString InstallWebGraphics(const QString& workingDirectory);

} // namespace quillary
