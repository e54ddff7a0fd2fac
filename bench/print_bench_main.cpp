// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-print-bench [PERSONS]: figures for printing a generated address book (10,000 persons by
// default) to PDF: the address and phone book and Avery 5160 labels, composing and painting
// timed apart. Runs on Qt's offscreen platform.
#include "data_generator.h"
#include "scratch_folder.h"
#include "stopwatch.h"

#include "model/data_file.h"
#include "model/item_tree.h"
#include "report_painter.h"
#include "reports/report_layouts.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>

using namespace quillary;
using namespace quillary::bench;

namespace {

void Figure(const std::string& what, TReport report, const std::filesystem::path& file)
{
    ReportDocument document;
    const double composed = Seconds([&] { document = report.Compose(ReportPageSize{}); });
    QString problem;
    bool written = false;
    const double painted =
        Seconds([&] { written = SaveReportPdf(document, QString::fromStdString(file.string()), &problem); });
    if (!written) {
        std::cerr << "quillary-print-bench: " << problem.toStdString() << "\n";
        std::exit(1);
    }
    std::cout << "| " << what << " | " << document.pages.size() << " pages | " << std::fixed << std::setprecision(2)
              << composed << " s | " << painted << " s | " << composed + painted << " s | "
              << std::filesystem::file_size(file) / 1024 << " KiB |\n";
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int persons = argc > 1 ? std::atoi(argv[1]) : 10000;
    ItemTree tree;
    std::istringstream in(GenerateDataText(persons));
    LoadDataStream(in, tree.Root());
    ScratchFolder scratch;
    std::cout << "| " << persons
              << " persons | pages | compose | paint to PDF | total | file |\n|---|---|---|---|---|---|\n";
    BookOptions book;
    book.columns = 2;
    Figure("address and phone book, 2 columns", MakeBookReport(tree, RangeOf(tree.Root()), book),
           scratch.Path() / "book.pdf");
    Figure("labels, Avery 5160", MakeLabelReport(tree, RangeOf(tree.Root()), *FindLabelSheet("Avery 5160-Address"), {}),
           scratch.Path() / "labels.pdf");
    return 0;
}
