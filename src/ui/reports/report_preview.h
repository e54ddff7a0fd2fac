// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_engine.h"

#include <functional>

class QPrinter;
class QWidget;

namespace quillary {

// Builds the report for the paper it will be composed on (the envelope places its memos for
// the page), so the preview and the printer can ask again after a page set-up change.
using ReportMaker = std::function<TReport(ReportPageSize paper)>;

// The one printer of the program's run: page set-up, preview and print share its settings.
QPrinter& SharedPrinter();
// "P&rinter Setup...": the system's page set-up dialog for the shared printer.
void ShowPrinterSetup(QWidget* parent);
// Preview in a print-preview window (which can also print or save as PDF).
void PreviewReport(const ReportMaker& make, bool landscape, QWidget* parent);
// The print dialog, then the pages to the chosen printer; answers whether anything was printed.
bool PrintReport(const ReportMaker& make, bool landscape, QWidget* parent);

} // namespace quillary
