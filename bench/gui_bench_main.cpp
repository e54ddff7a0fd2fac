// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-gui-bench [N [FILE]]: the desktop program's figures for a generated data file of N
// persons (100,000 by default; FILE, when given and present, is read instead): time from the
// start of the program's work to the first painted main window and to the end of reading the
// file, the longest the event loop went without a turn while it was read, memory; then, over the
// whole tree, expanding the largest folder, filling the list for it, a find that visits every
// node with its progress box, and the refill of the item list for a folder of 10,000 entries in
// each list style (fill, layout and paint).
#include "data_generator.h"
#include "peak_memory.h"

#include "app/desktop_services.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/profile_file.h"
#include "ui/shell/contact_document.h"
#include "ui/shell/data_file_loading.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/main_form.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

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

// The longest time the event loop went without a turn: a zero timer times out once a turn.
class LoopGaps final : public QObject
{
public:
    LoopGaps()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] { Turn(); });
    }
    void Start()
    {
        m_longest = 0;
        m_turns = 0;
        m_last = Clock::now();
        m_timer.start();
    }
    double Stop()
    {
        Turn();
        m_timer.stop();
        return m_longest;
    }
    int Turns() const { return m_turns; }

private:
    void Turn()
    {
        const Clock::time_point now = Clock::now();
        m_longest = std::max(m_longest, std::chrono::duration<double, std::milli>(now - m_last).count());
        m_last = now;
        ++m_turns;
    }

    QTimer m_timer;
    Clock::time_point m_last;
    double m_longest = 0;
    int m_turns = 0;
};

// The tree node with the most child nodes: the folder a user waits longest to open.
quillary::TreeNode& LargestFolder(quillary::ItemTree& tree)
{
    quillary::TreeNode* largest = &tree.Root();
    for (int i = 1; i < tree.NodeCount(); ++i) {
        quillary::TreeNode* node = tree.NodeAt(i);
        if (node->ChildCount() > largest->ChildCount() || largest == &tree.Root())
            largest = node;
    }
    return *largest;
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
    QString dataFile = dir.filePath(QStringLiteral("zelk.dat"));
    if (argc > 2 && QFileInfo::exists(QString::fromLocal8Bit(argv[2]))) {
        dataFile = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    } else {
        std::ofstream out(dataFile.toStdString(), std::ios::binary);
        quillary::bench::WriteGeneratedData(out, persons);
    }
    const double generation = MillisecondsSince(start);

    const Clock::time_point shown = Clock::now();
    QApplication app(argc, argv);
    QDir::setCurrent(dir.path()); // the clipboard file lands beside the data file
    quillary::TProfileFile settings(dir.filePath(QStringLiteral("kpx.ini")).toStdString());
    quillary::DesktopServices desktop(settings);
    quillary::ContactDocument document(dataFile, desktop.ItemDesk(), settings);
    quillary::TMainForm form(settings, document, desktop);
    LoopGaps gaps;
    gaps.Start();
    PaintWatch watch;
    WatchAll(form, watch);
    form.show();
    WaitForPaint(watch);
    const double firstPaint = MillisecondsSince(shown);
    const bool paintedWhileLoading = form.IsLoading();
    if (form.IsLoading()) {
        QEventLoop loop;
        QObject::connect(&form, &quillary::TMainForm::LoadFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double loaded = MillisecondsSince(shown);
    const double longestGap = gaps.Stop();
    const std::size_t peakAfterLoad = quillary::bench::PeakResidentKiB();
    std::printf("| persons | file, MB | main() to first painted window, ms | to the whole tree shown, ms | slices | "
                "longest wait for the event loop while reading, ms | peak memory after the read, MiB |\n"
                "|--:|--:|--:|--:|--:|--:|--:|\n");
    std::printf("| %d | %.0f | %.0f%s | %.0f | %d | %.0f | %.1f |\n\n", persons,
                static_cast<double>(QFileInfo(dataFile).size()) / 1e6, firstPaint,
                paintedWhileLoading ? "" : " (read before)", loaded, form.Loading().SliceCount(), longestGap,
                peakAfterLoad / 1024.0);

    // Over the whole tree: the folder tree opens nodes lazily, the list holds one folder's rows.
    quillary::TreeNode& largest = LargestFolder(form.Tree());
    PaintWatch treeWatch;
    WatchAll(form.FoldersView(), treeWatch);
    Clock::time_point step = Clock::now();
    form.FoldersView().expand(form.TreeModel().IndexOf(&largest));
    form.FoldersView().scrollTo(form.TreeModel().IndexOf(&largest));
    WaitForPaint(treeWatch);
    const double expandMs = MillisecondsSince(step);
    PaintWatch listWatch;
    WatchAll(*form.findChild<QWidget*>(QStringLiteral("MainItems")), listWatch);
    step = Clock::now();
    form.SelectNode(largest);
    WaitForPaint(listWatch);
    const double selectMs = MillisecondsSince(step);
    // A find that matches nothing visits every node once, progress box included.
    form.SelectNode(form.Tree().Root());
    WaitForPaint(listWatch);
    gaps.Start();
    step = Clock::now();
    form.Locate(QStringLiteral("zzzz no such title"));
    const double findMs = MillisecondsSince(step);
    const double findGap = gaps.Stop();
    std::printf("| nodes | expand the largest folder (%d children), ms | list it, ms | find without a match, ms | "
                "longest wait for the event loop during the find, ms |\n|--:|--:|--:|--:|--:|\n",
                largest.ChildCount());
    std::printf("| %d | %.0f | %.0f | %.0f | %.0f |\n\n", form.Tree().NodeCount(), expandMs, selectMs, findMs, findGap);

    quillary::TreeNode& folder = MakeBigFolder(form.Tree(), 10000);
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
    // Copy the folder of 10,000 entries and paste it under the root.
    form.SelectNode(folder);
    form.SetActivePane(quillary::TMainForm::Pane::Folders);
    form.CopyBtnClick();
    form.SelectNode(form.Tree().Root());
    const Clock::time_point paste = Clock::now();
    form.PasteBtnClick();
    std::printf("\n| paste of a 10,000-item subtree, ms |\n|--:|\n| %.0f |\n", MillisecondsSince(paste));
    std::printf("\nGenerating the file took %.0f ms (not counted). Peak memory at the end: %.1f MiB.\n", generation,
                quillary::bench::PeakResidentKiB() / 1024.0);
    return 0;
}
