// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_document.h"

#include <QFont>

namespace quillary {

// A report font and the widget font that shows it: family, points and the four styles.
ReportFont ReportFontOf(const QFont& font);
QFont QFontOf(const ReportFont& font);

} // namespace quillary
