// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillary {

// The pictures that published pages use, put into a working directory as the graphics library
// does (graphics/shipped_web_graphics.h); the first failure is also logged.
QString InstallWebGraphics(const QString& workingDirectory);

} // namespace quillary
