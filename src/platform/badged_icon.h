// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace quillary {

// The base picture with the badge drawn over its lower right corner, at whatever size and
// in whatever mode (normal, disabled, ...) the icon is asked for.
QIcon WithBadge(const QIcon& base, const QIcon& badge);

} // namespace quillary
