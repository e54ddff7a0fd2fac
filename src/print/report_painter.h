// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_document.h"
#include "reports/report_engine.h"

#include <QString>

class QPageLayout;
class QPagedPaintDevice;

namespace quillary {

// The paper a page layout describes, in hundredths of an inch, as fed (portrait).
ReportPageSize PaperOf(const QPageLayout& layout);

// Paints every page of a composed report on a paged device (a printer or a PDF writer) whose
// page layout has no margins, one document page per device page, a hundredth of an inch
// mapped to device units exactly. Answers false when the device cannot be painted on.
bool PaintReport(const ReportDocument& document, QPagedPaintDevice& device);

// Writes the document as a PDF file of its own page size; a file that cannot be written gives
// false and the reason in error.
bool SaveReportPdf(const ReportDocument& document, const QString& file, QString* error);

} // namespace quillary
