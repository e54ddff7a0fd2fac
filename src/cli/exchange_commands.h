// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillary::cli {

// export --format zkd|csv|vcf|html --node PATH --out FILE ...
int Export(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// import --format zkd|csv|vcf|bookmarks|addresses|nicknames|favorites SOURCE [--into PATH] ...
int Import(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// due [--days N]: the reminders due on or before today plus N days, by date (reads only)
int Due(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// search [--node PATH] [--mutt] TEXT: the persons and organizations any of whose fields hold
// TEXT's words (reads only)
int Search(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// sync --url URL --node PATH [--user NAME] [--password-env VAR] [--allow-mass-delete] [--dry-run]
int Sync(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// print --report listing|envelope|book|labels|simple --pdf FILE [--node PATH] ... (builds with Qt only)
int Print(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace quillary::cli
