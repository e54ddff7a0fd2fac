// SPDX-License-Identifier: GPL-3.0-or-later
// due: the reminders due today or within a number of days, one a line, for scripts and status bars.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"

#include "common/terminal_text.h"
#include "model/due_reminders.h"
#include "model/items_reminder.h"
#include "model/node_path.h"

#include <cstdio>

namespace quillary::cli {

namespace {

// Far enough for any date a reminder can hold (years up to 9999).
constexpr std::size_t MaxDaysDigits = 7;

std::optional<std::int64_t> DaysOf(const CliOptions& options, std::ostream& err)
{
    const std::string text = options.ValueOr("--days", "0");
    if (text.empty() || text.size() > MaxDaysDigits || text.find_first_not_of("0123456789") != std::string::npos) {
        err << "quillary-cli: --days takes a number of days from 0 to 9999999\n";
        return std::nullopt;
    }
    return std::stoll(text);
}

std::string IsoDate(const CivilDate& date)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace

int Due(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const auto options = CliOptions::ParseOptionsOnly(words, {"--days", "--data"}, {}, err);
    if (!options)
        return ExitUsage;
    const auto days = DaysOf(*options, err);
    if (!days)
        return ExitUsage;
    int status = ExitOk;
    // Read only: the running program may hold the data file meanwhile.
    auto session = DataSession::Open(*options, DataSession::Access::Read, err, status);
    if (!session)
        return status;
    // Each field is made safe for the terminal on its own, so a tab within a title is shown as
    // "\x09" and the tabs between fields stay the only ones.
    for (const TReminderObject* reminder : DueWithin(session->Tree(), *days)) {
        const TreeNode* owner = reminder->GetTreeNode();
        out << TerminalText(reminder->GetTitle()) << '\t' << TerminalText(owner ? NodePath(*owner) : "") << '\t'
            << IsoDate(reminder->RecurDate().GetDate()) << '\n';
    }
    return ExitOk;
}

} // namespace quillary::cli
