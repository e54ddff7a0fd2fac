// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-gui-bench [N]: the desktop program's figures for a generated data file of N persons
// (100,000 by default): time from the start of main() to the first painted main window, the
// memory of the running program, and the time to refill the item list for a folder of 10,000
// entries in each list style (fill, layout and paint).
#include "data_generator.h"
#include "peak_memory.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/profile_file.h"
#include "ui/shell/main_form.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>

using Clock = std::chrono::steady_clock;

namespace {

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts the paint events a widget tree receives.
class PaintWatch final : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

void WaitForPaint(PaintWatch& watch)
{
    const int before = watch.paints;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (watch.paints == before && Clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void WatchAll(QWidget& window, PaintWatch& watch)
{
    window.installEventFilter(&watch);
    for (QWidget* child : window.findChildren<QWidget*>())
        child->installEventFilter(&watch);
}

quillary::TreeNode& MakeBigFolder(quillary::ItemTree& tree, int entries)
{
    using namespace quillary;
    TreeNode& folder = *CreateItem(KindFolder, "Ten thousand", "", "", tree.Root(), "{Fold}0", 0)->GetTreeNode();
    TreeUpdateGuard guard(tree);
    for (int i = 0; i < entries; ++i)
        CreateItem(KindPerson, "Person " + std::to_string((i * 7919) % entries), "", "", folder, "", 0);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    const int persons = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    const QString dataFile = dir.filePath(QStringLiteral("zelk.dat"));
    {
        std::ofstream out(dataFile.toStdString(), std::ios::binary);
        quillary::bench::WriteGeneratedData(out, persons);
    }
    const double generation = MillisecondsSince(start);

    const Clock::time_point shown = Clock::now();
    QApplication app(argc, argv);
    QDir::setCurrent(dir.path()); // the clipboard file lands beside the data file
    quillary::TProfileFile settings(dir.filePath(QStringLiteral("kpx.ini")).toStdString());
    quillary::TMainForm form(settings, dataFile);
    PaintWatch watch;
    WatchAll(form, watch);
    form.show();
    WaitForPaint(watch);
    const double firstPaint = MillisecondsSince(shown);
    const std::size_t peakAfterStart = quillary::bench::PeakResidentKiB();

    quillary::TreeNode& folder = MakeBigFolder(form.Tree(), 10000);
    // The refill is over when the list itself has painted, not just the status bar.
    PaintWatch listWatch;
    WatchAll(*form.findChild<QWidget*>(QStringLiteral("MainItems")), listWatch);
    std::printf("| persons | main() to first painted window, ms | peak memory after start, MiB |\n|--:|--:|--:|\n");
    std::printf("| %d | %.0f | %.1f |\n\n", persons, firstPaint, peakAfterStart / 1024.0);
    std::printf("| list style | refill of 10,000 entries (fill, layout, paint), ms |\n|--|--:|\n");
    static const char* const Styles[] = {"large icons", "small icons", "list", "details"};
    for (int style = 1; style <= 4; ++style) {
        form.SetListStyle(style);
        form.SelectNode(form.Tree().Root());
        WaitForPaint(listWatch);
        const Clock::time_point refill = Clock::now();
        form.SelectNode(folder);
        WaitForPaint(listWatch);
        std::printf("| %s | %.0f |\n", Styles[style - 1], MillisecondsSince(refill));
    }
    // A find that matches nothing visits every node once, progress box included.
    form.SelectNode(form.Tree().Root());
    const Clock::time_point find = Clock::now();
    form.Locate(QStringLiteral("zzzz no such title"));
    const double findMs = MillisecondsSince(find);
    // Copy the folder of 10,000 entries and paste it under the root.
    form.SelectNode(folder);
    form.SetActivePane(quillary::TMainForm::Pane::Folders);
    form.CopyBtnClick();
    form.SelectNode(form.Tree().Root());
    const Clock::time_point paste = Clock::now();
    form.PasteBtnClick();
    const double pasteMs = MillisecondsSince(paste);
    std::printf("\n| worst-case find (no match, %d nodes), ms | paste of a 10,000-item subtree, ms |\n|--:|--:|\n",
                form.Tree().NodeCount());
    std::printf("| %.0f | %.0f |\n", findMs, pasteMs);
    std::printf("\nGenerating the file took %.0f ms (not counted). Peak memory at the end: %.1f MiB.\n", generation,
                quillary::bench::PeakResidentKiB() / 1024.0);
    return 0;
}
