// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quillary {

// The one place where item text crosses between core (bytes as stored) and Qt. Stored text is
// read as UTF-8 when it is valid UTF-8, else as Windows-1252 (files from older systems);
// typed text is stored as UTF-8.
QString FromField(std::string_view bytes);
std::string ToField(const QString& text);

} // namespace quillary
