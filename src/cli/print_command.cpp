// SPDX-License-Identifier: GPL-3.0-or-later
// print: renders one of the five reports of a subtree to a PDF file, on Qt's offscreen platform.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"

#include "common/file_error.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/node_path.h"
#include "model/tree_node.h"
#include "report_painter.h"
#include "reports/left_out_lines.h"
#include "reports/report_layouts.h"

#include <QDate>
#include <QGuiApplication>
#include <QLocale>

#include <iostream>
#include <map>
#include <memory>

namespace quillary::cli {

namespace {

using Maker = std::function<std::optional<TReport>(DataSession&, TreeNode&, const CliOptions&, std::ostream&)>;

// The type face of --font and --font-size; none (and the reason told) for a size out of range.
std::optional<ReportFont> FontOf(const CliOptions& options, int defaultPoints, std::ostream& err)
{
    constexpr int Smallest = 4;
    constexpr int Largest = 72;
    ReportFont font;
    font.family = options.ValueOr("--font", font.family);
    font.points = defaultPoints;
    if (const auto size = options.Value("--font-size")) {
        const bool digits =
            !size->empty() && size->size() <= 2 && size->find_first_not_of("0123456789") == std::string::npos;
        font.points = digits ? std::stoi(*size) : 0;
        if (font.points < Smallest || font.points > Largest) {
            err << "quillary-cli: --font-size takes " << Smallest << " to " << Largest << " points\n";
            return std::nullopt;
        }
    }
    return font;
}

std::optional<ListOptions> ListOptionsOf(TreeNode& node, const CliOptions& options, const std::string& defaultTitle,
                                         std::ostream& err)
{
    ListOptions list;
    const auto font = FontOf(options, list.font.points, err);
    if (!font)
        return std::nullopt;
    list.title = options.ValueOr("--title", defaultTitle);
    list.source = NodePath(node);
    list.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    list.landscape = options.Has("--landscape");
    list.font = *font;
    return list;
}

std::optional<TReport> Listing(DataSession& session, TreeNode& node, const CliOptions& options, std::ostream& err)
{
    const auto list = ListOptionsOf(node, options, "Contact List", err);
    return list ? std::optional(MakeListingReport(session.Tree(), RangeOf(node), *list)) : std::nullopt;
}

std::optional<TReport> Simple(DataSession& session, TreeNode& node, const CliOptions& options, std::ostream& err)
{
    const auto list = ListOptionsOf(node, options, NodePath(node), err);
    return list ? std::optional(MakeSimpleReport(session.Tree(), RangeOf(node), *list)) : std::nullopt;
}

std::optional<TReport> Book(DataSession& session, TreeNode& node, const CliOptions& options, std::ostream& err)
{
    BookOptions book;
    const std::string columns = options.ValueOr("--columns", "1");
    if (columns.size() != 1 || columns[0] < '1' || columns[0] > '4') {
        err << "quillary-cli: --columns takes 1 to 4\n";
        return std::nullopt;
    }
    const auto font = FontOf(options, book.font.points, err);
    if (!font)
        return std::nullopt;
    book.columns = columns[0] - '0';
    book.landscape = options.Has("--landscape");
    book.font = *font;
    return MakeBookReport(session.Tree(), RangeOf(node), book);
}

std::optional<TReport> Labels(DataSession& session, TreeNode& node, const CliOptions& options, std::ostream& err)
{
    const std::string name = options.ValueOr("--label-sheet", std::string(LabelSheets().front().name));
    const LabelSheet* sheet = FindLabelSheet(name);
    if (!sheet) {
        err << "quillary-cli: no label sheet \"" << name << "\"; the sheets are:\n";
        for (const LabelSheet& known : LabelSheets())
            err << "  " << known.name << "\n";
        return std::nullopt;
    }
    const auto font = FontOf(options, DefaultLabelPoints(*sheet), err);
    if (!font)
        return std::nullopt;
    return MakeLabelReport(session.Tree(), RangeOf(node), *sheet, *font);
}

// A node path, or a node path followed by the title of one of its item's addresses.
const TKPXObject* DeliverySubject(DataSession& session, const std::string& path)
{
    if (TreeNode* node = FindNodeByPath(session.Tree().Root(), path))
        return node->Data();
    const auto slash = path.rfind('/');
    TreeNode* owner =
        slash == std::string::npos ? nullptr : FindNodeByPath(session.Tree().Root(), path.substr(0, slash));
    return owner ? owner->Data()->FindChild(path.substr(slash + 1), KindAddress) : nullptr;
}

std::optional<TReport> Envelope(DataSession& session, TreeNode&, const CliOptions& options, std::ostream& err)
{
    EnvelopeOptions envelope;
    const auto font = FontOf(options, envelope.deliveryFont.points, err);
    if (!font)
        return std::nullopt;
    envelope.deliveryFont = envelope.returnFont = *font;
    if (const auto from = options.Value("--delivery-from")) {
        const TKPXObject* subject = DeliverySubject(session, *from);
        if (!subject) {
            err << "quillary-cli: no item " << *from << "\n";
            return std::nullopt;
        }
        const DeliverySource delivery = DeliverySourceOf(*subject);
        envelope.delivery = DeliveryLines(delivery.name, delivery.address);
    }
    const std::filesystem::path returnFile =
        options.ValueOr("--return-address", (WorkingDirectoryOf(options) / "ret_addr.dat").string());
    envelope.returnAddress = LoadReturnAddress(returnFile);
    envelope.omitReturn = envelope.returnAddress.empty();
    return MakeEnvelopeReport(envelope, ReportPageSize{});
}

const std::map<std::string, Maker>& Makers()
{
    static const std::map<std::string, Maker> makers = {
        {"listing", Listing}, {"envelope", Envelope}, {"book", Book}, {"labels", Labels}, {"simple", Simple}};
    return makers;
}

// Fonts and PDF writing need a GUI application; no display is needed or used. Qt's notes about
// the session (no runtime folder, say) are no business of a script; its critical errors are.
std::unique_ptr<QGuiApplication> OffscreenApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "quillary-cli: " << message.toStdString() << "\n";
    });
    static int argc = 1;
    static char name[] = "quillary-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Render(TReport& report, const std::string& file, std::ostream& out, std::ostream& err)
{
    const auto application = OffscreenApplication();
    const ReportDocument document = report.Compose(ReportPageSize{});
    QString problem;
    if (!SaveReportPdf(document, QString::fromStdString(file), &problem)) {
        err << "quillary-cli: " << problem.toStdString() << "\n";
        return ExitFileError;
    }
    out << "written " << file << " (" << document.pages.size() << (document.pages.size() == 1 ? " page" : " pages")
        << ")\n";
    if (const std::string leftOut = LeftOutLinesMessage(document); !leftOut.empty())
        err << "quillary-cli: " << leftOut << "\n";
    return ExitOk;
}

} // namespace

int Print(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const auto options =
        CliOptions::ParseOptionsOnly(words,
                                     {"--data", "--report", "--node", "--pdf", "--label-sheet", "--columns", "--title",
                                      "--font", "--font-size", "--return-address", "--delivery-from"},
                                     {"--landscape"}, err);
    if (!options)
        return ExitUsage;
    const auto maker = Makers().find(options->ValueOr("--report", ""));
    const auto file = options->Value("--pdf");
    if (maker == Makers().end() || !file) {
        err << "quillary-cli: print needs --report listing|envelope|book|labels|simple and --pdf FILE\n";
        return ExitUsage;
    }
    int status = ExitOk;
    auto opened = DataSession::OpenAtNode(*options, DataSession::Access::Read, "--node", err, status);
    if (!opened)
        return status;
    try {
        std::optional<TReport> report = maker->second(opened->session, *opened->node, *options, err);
        return report ? Render(*report, *file, out, err) : ExitUsage;
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return ExitFileError;
    }
}

} // namespace quillary::cli
