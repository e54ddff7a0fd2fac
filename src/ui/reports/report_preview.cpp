// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/report_preview.h"

#include "print/report_painter.h"
#include "reports/left_out_lines.h"
#include "ui/questions.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>

namespace quillary {

namespace {

// Short reports compose before a progress box would be worth showing.
constexpr int ProgressDelayMs = 700;

// Full-page mode: the painter's origin is the paper's corner, the report keeps its own margins.
class FullPagePrinter final : public QPrinter
{
public:
    FullPagePrinter() : QPrinter(QPrinter::HighResolution) { setFullPage(true); }
};

// Makes and composes the report for the printer's paper; a long run shows a progress box whose
// Cancel stops it, and then cancelled is set.
ReportDocument ComposeFor(const ReportMaker& make, const QPrinter& printer, QWidget* parent, bool& cancelled)
{
    const ReportPageSize paper = PaperOf(printer.pageLayout());
    TReport report = make(paper);
    // The preview's and print dialog's orientation buttons change the printer's page, and the
    // pages must be composed for the page they are painted on.
    report.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    QProgressDialog progress(QStringLiteral("Preparing the report..."), QStringLiteral("Cancel"), 0, 0, parent);
    progress.setWindowTitle(QString::fromStdString(report.title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setValue(0);
    ReportDocument document = report.Compose(paper, [&](int record) {
        progress.setValue(record);
        return !progress.wasCanceled();
    });
    cancelled = progress.wasCanceled();
    return document;
}

// The print dialog's page range, when the printing system left it to the program.
void KeepChosenPages(ReportDocument& document, const QPrinter& printer)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return;
    const auto count = static_cast<int>(document.pages.size());
    const int last = std::min(printer.toPage() < 1 ? count : printer.toPage(), count);
    const int first = std::min(printer.fromPage(), last + 1);
    document.pages.erase(document.pages.begin() + last, document.pages.end());
    document.pages.erase(document.pages.begin(), document.pages.begin() + (first - 1));
}

QString LeftOutWarning(const ReportDocument& document)
{
    return QString::fromStdString(LeftOutLinesMessage(document));
}

void Warn(QWidget* parent, const QString& warning)
{
    Questions::Tell(parent, QMessageBox::Warning, QStringLiteral("Warning"), warning);
}

void SetOrientation(QPrinter& printer, bool landscape)
{
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace

QPrinter& SharedPrinter()
{
    static FullPagePrinter printer;
    return printer;
}

void ShowPrinterSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    dialog.exec();
}

void PreviewReport(const ReportMaker& make, bool landscape, QWidget* parent)
{
    QPrinter& printer = SharedPrinter();
    SetOrientation(printer, landscape);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    bool warned = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        bool cancelled = false;
        const ReportDocument document = ComposeFor(make, *target, &dialog, cancelled);
        PaintReport(document, *target);
        // Told once, over the preview once it shows the pages.
        if (const QString warning = LeftOutWarning(document); !warning.isEmpty() && !warned) {
            warned = true;
            QTimer::singleShot(0, &dialog, [&dialog, warning] { Warn(&dialog, warning); });
        }
    });
    dialog.exec();
}

bool PrintReport(const ReportMaker& make, bool landscape, QWidget* parent)
{
    QPrinter& printer = SharedPrinter();
    SetOrientation(printer, landscape);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    bool cancelled = false;
    ReportDocument document = ComposeFor(make, printer, parent, cancelled);
    if (cancelled)
        return false;
    KeepChosenPages(document, printer);
    if (document.pages.empty())
        return false;
    if (!PaintReport(document, printer)) {
        Questions::Tell(
            parent, QMessageBox::Critical, QStringLiteral("Error"),
            QStringLiteral("The report could not be sent to the printer \"%1\".").arg(printer.printerName()));
        return false;
    }
    if (const QString warning = LeftOutWarning(document); !warning.isEmpty())
        Warn(parent, warning);
    return true;
}

} // namespace quillary
