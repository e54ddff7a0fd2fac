// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/nickname_file.h"

#include "common/comma_text.h"
#include "common/field_limits.h"
#include "common/text_line_reader.h"
#include "exchange/source_file.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillary {

namespace {

constexpr std::string_view AliasWord = "alias";
constexpr std::string_view NoteWord = "note";

// The words after the line's first word; none unless there are at least two of them.
std::vector<std::string> WordsAfterFirst(std::string_view line)
{
    std::vector<std::string> words = SplitCommaText(line, MaxFieldsPerRow);
    if (words.size() < 3)
        return {};
    words.erase(words.begin());
    return words;
}

// Drops one enclosing character of an address word such as "<bob@example.com>".
std::string Trimmed(std::string word)
{
    const auto isEnclosing = [](char c) { return c == '"' || c == '<' || c == '>'; };
    if (!word.empty() && isEnclosing(word.front()))
        word.erase(0, 1);
    if (!word.empty() && isEnclosing(word.back()))
        word.pop_back();
    return word;
}

bool IsBlank(std::string_view text, std::size_t pos)
{
    const auto code = static_cast<unsigned char>(text[pos]);
    return code >= 1 && code <= 32;
}

// Steps over one word of comma text and the blanks and comma after it.
std::size_t SkipCommaWord(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsBlank(text, pos))
        ++pos;
    if (pos < text.size() && text[pos] == '"') {
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] != '"')
                continue;
            if (pos + 1 < text.size() && text[pos + 1] == '"')
                ++pos; // a doubled quote stands for one
            else
                break;
        }
        pos = std::min(pos + 1, text.size());
    } else {
        while (pos < text.size() && !IsBlank(text, pos) && text[pos] != ',')
            ++pos;
    }
    while (pos < text.size() && IsBlank(text, pos))
        ++pos;
    if (pos < text.size() && text[pos] == ',')
        ++pos;
    while (pos < text.size() && IsBlank(text, pos))
        ++pos;
    return pos;
}

// The note's text as written after "note" and the nickname, so a quoted nickname or several
// blanks do not shift it.
std::string NoteText(std::string_view line)
{
    line = line.substr(0, line.find('\0'));
    return std::string(line.substr(SkipCommaWord(line, SkipCommaWord(line, 0))));
}

bool ReadAlias(std::string_view line, TreeNode& folder)
{
    std::vector<std::string> words = WordsAfterFirst(line);
    for (std::string& word : words)
        word = Trimmed(std::move(word));
    for (const std::string& word : words) {
        if (word.find('@') != std::string::npos) {
            CreateItem(KindEMail, words.front(), word, "", folder, "", 0);
            return true;
        }
    }
    return false;
}

bool ReadNote(std::string_view line, TKPXObject& folder)
{
    const std::vector<std::string> words = WordsAfterFirst(line);
    if (words.empty())
        return false;
    TKPXObject* address = folder.FindChild(words.front(), KindEMail);
    if (!address)
        return false;
    address->SetComment(NoteText(line));
    return true;
}

ImportCounts ImportNicknames(const std::vector<std::string>& lines, TreeNode& root)
{
    TreeUpdateGuard guard(root.Tree());
    TKPXObject& folder = *CreateItem(KindFolder, NicknameFolderTitle, "", "", root, "", 0);
    ImportCounts counts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        const bool entry = line.starts_with(AliasWord) || line.starts_with(NoteWord);
        if (entry && SplitCommaText(line, MaxFieldsPerRow).size() > MaxFieldsPerRow) {
            counts.CountRejected(where + TooManyFieldsReason());
        } else if (line.starts_with(AliasWord)) {
            if (ReadAlias(line, *folder.GetTreeNode()))
                counts.CountMade(KindEMail);
            else
                counts.CountRejected(where + "an alias without an e-mail address");
        } else if (line.starts_with(NoteWord)) {
            if (!ReadNote(line, folder))
                counts.CountRejected(where + "a note for a nickname that has no alias");
        }
    }
    return counts;
}

} // namespace

ImportCounts ImportEudora(std::istream& nicknames, TreeNode& root)
{
    return ImportNicknames(ReadTextLines(nicknames), root);
}

ImportCounts ImportEudora(const std::filesystem::path& directory, TreeNode& root)
{
    const auto file = FindSourceFile(directory, NicknameFileName);
    if (!file)
        return {};
    return ImportNicknames(ReadSourceFile(*file), root);
}

} // namespace quillary
