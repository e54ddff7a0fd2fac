// SPDX-License-Identifier: GPL-3.0-or-later
// search: the persons and organizations any of whose fields hold the words given, one a line, or
// their e-mail addresses as mutt's query_command reads them.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"

#include "common/terminal_text.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/node_path.h"
#include "places/app_places.h"
#include "search/search_index.h"
#include "search/search_query.h"
#include "search/search_snapshot.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"

namespace quillary::cli {

namespace {

// The words given, as one query; none, after a message, when they hold no word.
std::optional<std::string> QueryOf(const CliOptions& options, std::ostream& err)
{
    std::string query;
    for (const std::string& word : options.Plain())
        query += (query.empty() ? "" : " ") + word;
    if (ParseSearchQuery(query).empty()) {
        err << "quillary-cli: search needs the text to look for\n";
        return std::nullopt;
    }
    return query;
}

std::string PathOf(const SearchHit& hit)
{
    const TreeNode* node = hit.item->GetTreeNode();
    return node ? NodePath(*node) : "";
}

// Each field is made safe for the terminal on its own, so the tabs between fields are the only ones.
void PrintHits(const std::vector<SearchHit>& hits, std::ostream& out)
{
    for (const SearchHit& hit : hits)
        out << TerminalText(hit.title) << '\t' << TerminalText(PathOf(hit)) << '\t'
            << TerminalText(SearchFieldName(hit.field)) << '\t' << TerminalText(hit.value) << '\n';
}

// mutt shows the first line, then offers "address, name, other" from each line after it.
void PrintMuttQuery(const std::vector<SearchHit>& hits, std::ostream& out)
{
    std::string lines;
    std::size_t addresses = 0;
    for (const SearchHit& hit : hits) {
        const std::string tail = '\t' + TerminalText(hit.title) + '\t' + TerminalText(PathOf(hit)) + '\n';
        for (int i = 0; i < hit.item->ChildCount(); ++i) {
            const TKPXObject& detail = *hit.item->ChildAt(i);
            if (detail.GetKind() == KindEMail && !detail.GetTarget().empty()) {
                lines += TerminalText(detail.GetTarget()) + tail;
                ++addresses;
            }
        }
    }
    out << "Quillary: " << addresses << " e-mail address" << (addresses == 1 ? "" : "es") << " of " << hits.size()
        << " match" << (hits.size() == 1 ? "" : "es") << '\n'
        << lines;
}

} // namespace

int Search(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    std::string problem;
    const auto options = CliOptions::Parse(words, {"--data", "--node"}, {"--mutt"}, problem);
    if (!options) {
        err << "quillary-cli: " << problem << "\n";
        return ExitUsage;
    }
    const auto query = QueryOf(*options, err);
    if (!query)
        return ExitUsage;
    int status = ExitOk;
    // Read only: the running program may hold the data file meanwhile.
    auto at = DataSession::OpenAtNode(*options, DataSession::Access::Read, "--node", err, status);
    if (!at)
        return status;
    const SearchIndex index(SearchSnapshot(*at->node, ReadCategoryNames(TProfileFile(SettingsFile()))));
    const std::vector<SearchHit> hits = index.Find(*query);
    if (options->Has("--mutt"))
        PrintMuttQuery(hits, out);
    else
        PrintHits(hits, out);
    return hits.empty() ? ExitNoMatch : ExitOk;
}

} // namespace quillary::cli
