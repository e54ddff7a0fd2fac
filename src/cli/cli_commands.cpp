// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_commands.h"

#include "exchange_commands.h"
#include "kept_trees.h"
#include "qt_handover.h"
#include "terminal_stream.h"

#include "common/file_error.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_depth.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace quillary::cli {

namespace {

constexpr const char* Usage =
    "usage: quillary-cli COMMAND ...\n"
    "\n"
    "reading a file:\n"
    "  cat FILE    read FILE and print it as the data file that would be saved\n"
    "  tree FILE   read FILE and print its items, indented by level\n"
    "  check FILE  read FILE and report the records read, the lines skipped and the\n"
    "              records nested too deep (placed at the depth limit)\n"
    "FILE is read as an interchange file when it ends in .zkd or is named\n"
    "clipdata.dat, and as a data file (first line skipped) otherwise.\n"
    "\n"
    "exchanging with other programs (on the data file given by --data FILE, by default\n"
    "zelk.dat in the program's working folder; PATH is titles from the root joined by /,\n"
    "as \"My Contacts/Clients/Acme\"):\n"
    "  export --format zkd|csv|vcf|html --out FILE [--node PATH]\n"
    "         csv:  --kind person|organization|website|address|phone|email|fax\n"
    "               [--fields \"Title,First Name,...\"] [--header]\n"
    "         html: [--levels 0-9] [--no-frames] [--no-zkd] [--no-vcards] [--title TEXT]\n"
    "               [--text-color NAME] [--link-color NAME] [--background NAME|FILE]\n"
    "         vcf:  one file with a card for the node's person or organization and every\n"
    "               one beneath it, depth first\n"
    "         vcf, html: [--vcard-version 2.1|3.0|4.0]  (default 2.1)\n"
    "  import --format zkd|csv|vcf|bookmarks|addresses|nicknames|favorites SOURCE [--into PATH]\n"
    "         csv:  --kind KIND [--fields \"...\"] [--header] [--separator auto|comma|semicolon|tab]\n"
    "               [--tab] [--encoding auto|utf8|utf16|cp1252]\n"
    "               (--header: the first line names the columns, mapped onto the kind's\n"
    "               fields unless --fields names them; separator then auto by default)\n"
    "         vcf:  [--org-cards organization|person]  (cards with ORG; default person)\n"
    "\n"
    "reminders (read only, also while Quillary runs; --data as above):\n"
    "  due [--days N] [--data FILE]\n"
    "         the reminders due today or within N days (default 0), overdue ones too,\n"
    "         by date: title, owner's PATH and date (YYYY-MM-DD), tab separated, one a line\n"
    "\n"
    "searching (read only, also while Quillary runs; --data as above):\n"
    "  search [--data FILE] [--node PATH] [--mutt] TEXT\n"
    "         the persons and organizations at or beneath PATH (default the root) whose\n"
    "         fields hold every word of TEXT, in any order, regardless of case and accents\n"
    "         (phone and fax numbers also by their digits): title, PATH, the first\n"
    "         matching field's name and its value, tab separated, one a line;\n"
    "         --mutt: a line for mutt, then \"address<TAB>name<TAB>PATH\" for each of\n"
    "         their e-mail addresses (set query_command=\"quillary-cli search --mutt %s\")\n"
    "\n"
    "printing (to a PDF file of Letter pages):\n"
    "  print --report listing|envelope|book|labels|simple --pdf FILE [--node PATH]\n"
    "         [--title TEXT] [--font FAMILY] [--font-size POINTS] [--landscape]\n"
    "         (labels: the size defaults to the largest that prints five lines on a label)\n"
    "         book:     [--columns 1-4]\n"
    "         labels:   [--label-sheet \"Avery 5160-Address\"]\n"
    "         envelope: [--delivery-from PATH[/ADDRESS TITLE]] [--return-address FILE]\n"
    "                   (default return address: ret_addr.dat in the working folder)\n"
    "\n"
    "synchronising with a CardDAV address book (both ways; the state is kept beside the\n"
    "data file, per data file and URL):\n"
    "  sync --url URL --node PATH [--user NAME] [--password-env VAR]\n"
    "       [--allow-mass-delete] [--dry-run]\n"
    "       (the password is read from the environment variable VAR, never from the\n"
    "       command line; without VAR, from the desktop's keyring for NAME and URL;\n"
    "       --dry-run prints what would happen and changes nothing)\n"
    "\n"
    "  --help      this text\n"
    "  --version   the program's version\n"
    "\n"
    "exit status: 0 done, 1 file error (sync: a network or server failure; search: also\n"
    "nothing found), 2 wrong use,\n"
    "3 damaged lines or records nested too deep found by check,\n"
    "4 Quillary is running on the data file (import and sync change nothing then),\n"
    "5 sync would delete more than half of one side's contacts (or all of them) and\n"
    "  --allow-mass-delete was not given (nothing changed)\n";

// Reads FILE beneath the root the way the program reads that kind of file.
bool ReadInto(ItemTree& tree, const std::string& file, ReadReport& report, std::ostream& err)
{
    std::ifstream probe(file, std::ios::binary);
    if (!probe || std::filesystem::is_directory(file)) {
        err << "quillary-cli: cannot read " << file << "\n";
        return false;
    }
    probe.close();
    try {
        const bool read =
            IsItemFileName(file) ? LoadItemFile(tree.Root(), file, &report) : LoadDataFile(tree.Root(), file, &report);
        if (read)
            return true;
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return false;
    }
    err << "quillary-cli: cannot read " << file << "\n";
    return false;
}

void PrintItem(const TKPXObject& item, int level, std::ostream& out)
{
    out << std::string(static_cast<std::size_t>(level) * 2, ' ') << KindName(item.GetKind()) << ": " << item.GetTitle();
    if (!item.GetTarget().empty())
        out << " -> " << item.GetTarget();
    out << "\n";
    for (int i = 0; i < item.ChildCount(); ++i)
        PrintItem(*item.ChildAt(i), level + 1, out);
}

int Cat(ItemTree& tree, const ReadReport&, std::ostream& out, std::ostream&)
{
    WriteDataStream(tree, out);
    return ExitOk;
}

int Tree(ItemTree& tree, const ReadReport&, std::ostream& out, std::ostream&)
{
    for (int i = 0; i < tree.NodeCount(); ++i) {
        const TreeNode& node = *tree.NodeAt(i);
        PrintItem(*node.Data(), node.Depth(), out);
    }
    return ExitOk;
}

int Check(ItemTree&, const ReadReport& report, std::ostream& out, std::ostream&)
{
    out << "records read: " << report.records << "\n";
    out << "lines skipped: " << report.skippedLines.size() << "\n";
    for (int line : report.skippedLines)
        out << "  line " << line << "\n";
    out << "records placed at the depth limit: " << report.placedAtDepthLimit << "\n";
    if (report.placedAtDepthLimit > 0)
        out << "  " << PlacedAtDepthLimitText(report.placedAtDepthLimit) << "\n";
    // Either way a save would not give the file back as it is.
    return report.skippedLines.empty() && report.placedAtDepthLimit == 0 ? ExitOk : ExitSkipped;
}

using Command = std::function<int(ItemTree&, const ReadReport&, std::ostream&, std::ostream&)>;

// Printing and synchronising need Qt: a build with Qt passes them to its companion program (see
// qt_handover.h), a build without it has no printing and no CardDAV transport.
int QtCommand(const std::vector<std::string>& args, std::ostream& shown, std::ostream& err)
{
#ifdef QUILLARY_CLI_HANDOVER
    (void)shown;
    return HandOverToQt(args, err);
#else
    const std::vector<std::string> words(args.begin() + 1, args.end());
    if (args[0] == "sync")
        return Sync(words, shown, err);
#ifdef QUILLARY_CLI_PRINT
    const int status = Print(words, shown, err);
    shown.flush();
    return status;
#else
    err << "quillary-cli: this build has no printing (it was built without Qt 6)\n";
    return ExitUsage;
#endif
#endif
}

// shown is out for everything but the data file that cat prints as it would be saved.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& shown, std::ostream& err)
{
    static const std::map<std::string, Command> commands = {{"cat", Cat}, {"tree", Tree}, {"check", Check}};
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        shown << Usage;
        return ExitOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        shown << "quillary-cli " << QUILLARY_VERSION << "\n";
        return ExitOk;
    }
    if (!args.empty() && (args[0] == "export" || args[0] == "import")) {
        const std::vector<std::string> words(args.begin() + 1, args.end());
        return args[0] == "export" ? Export(words, shown, err) : Import(words, shown, err);
    }
    // Their fields are made safe one by one, so the tabs between them reach the output.
    if (!args.empty() && (args[0] == "due" || args[0] == "search")) {
        const std::vector<std::string> words(args.begin() + 1, args.end());
        return args[0] == "due" ? Due(words, out, err) : Search(words, out, err);
    }
    if (!args.empty() && (args[0] == "sync" || args[0] == "print"))
        return QtCommand(args, shown, err);
    const auto command = args.size() == 2 ? commands.find(args[0]) : commands.end();
    if (command == commands.end()) {
        err << Usage;
        return ExitUsage;
    }
    auto tree = std::make_unique<ItemTree>();
    ReadReport report;
    const int status = ReadInto(*tree, args[1], report, err)
                           ? command->second(*tree, report, command->first == "cat" ? out : shown, err)
                           : ExitFileError;
    KeepToExit(std::move(tree));
    return status;
}
} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // Titles, reasons and file names come from files: their control characters are shown, never
    // sent to the terminal.
    TerminalStream shownErr(err);
    TerminalStream shown(out);
    int status = RunCommand(args, out, shown, shownErr);
    shown.flush();
    out.flush();
    if (!out && status != ExitFileError) {
        shownErr << "quillary-cli: cannot write the output\n";
        status = ExitFileError;
    }
    return status;
}

} // namespace quillary::cli
