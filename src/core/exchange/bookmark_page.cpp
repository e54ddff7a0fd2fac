// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/bookmark_page.h"

#include "common/ascii_case.h"
#include "common/text_line_reader.h"
#include "exchange/source_file.h"
#include "links/web_link.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>

namespace quillary {

namespace {

constexpr std::string_view TitleTag = "<TITLE>";
constexpr std::string_view TitleEndTag = "</TITLE>";
constexpr std::string_view AnchorTag = "<A";
constexpr std::string_view AnchorEndTag = "</A>";
constexpr std::string_view MailPrefix = "mailto:";

bool IsTitleLine(std::string_view line)
{
    return StartsWithNoCase(line, TitleTag);
}

std::string TitleOf(std::string_view line)
{
    const auto end = line.find(TitleEndTag, TitleTag.size());
    if (end == std::string_view::npos)
        return {};
    return std::string(line.substr(TitleTag.size(), end - TitleTag.size()));
}

bool IsAttributeSeparator(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return (code >= 1 && code <= 32) || c == ',';
}

// The words of a tag's attribute text, parted by blanks and commas as comma text is. A double
// quote inside a word opens a quoted value that runs to its closing quote, blanks and commas
// included: links such as "https://maps.example/@51.5,-0.1" must stay whole.
std::vector<std::string_view> SplitAttributes(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsAttributeSeparator(text[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !IsAttributeSeparator(text[pos])) {
            const auto closing = text[pos] == '"' ? text.find('"', pos + 1) : pos;
            pos = closing == std::string_view::npos ? text.size() : closing + 1;
        }
        words.push_back(text.substr(start, pos - start));
    }
    return words;
}

std::string HrefOf(std::string_view attributes)
{
    for (std::string_view word : SplitAttributes(attributes)) {
        const auto equals = word.find('=');
        if (equals == std::string_view::npos || !EqualsNoCase(word.substr(0, equals), "HREF"))
            continue;
        std::string_view value = word.substr(equals + 1);
        if (!value.empty() && value.front() == '"')
            value.remove_prefix(1);
        if (!value.empty() && value.back() == '"')
            value.remove_suffix(1);
        return std::string(value);
    }
    return {};
}

// One folder titled by the page, one item of kind per anchor line.
ImportCounts ImportAnchors(const std::vector<std::string>& lines, TreeNode& root, int kind)
{
    TreeUpdateGuard guard(root.Tree());
    TreeNode& folder = *CreateItem(KindFolder, GetBMTitle(lines), "", "", root, "", 0)->GetTreeNode();
    ImportCounts counts;
    std::string text;
    std::string link;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!GetAnchorInfo(lines[i], text, link))
            continue;
        if (kind == KindEMail && link.starts_with(MailPrefix))
            link.erase(0, MailPrefix.size());
        if (text.empty() && link.empty()) {
            counts.CountRejected("line " + std::to_string(i + 1) + ": a link without text or address");
            continue;
        }
        if (const auto problem = kind == KindWebsite ? LinkProblem(link) : std::nullopt) {
            counts.CountRejected("line " + std::to_string(i + 1) + ": " + *problem);
            continue;
        }
        CreateItem(kind, text, link, "", folder, "", 0);
        counts.CountMade(kind);
    }
    return counts;
}

ImportCounts ImportPageFile(const std::filesystem::path& directory, std::string_view name, TreeNode& root, int kind)
{
    const auto file = FindSourceFile(directory, name);
    if (!file)
        return {};
    return ImportAnchors(ReadSourceFile(*file), root, kind);
}

} // namespace

std::string GetBMTitle(const std::vector<std::string>& lines)
{
    const auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return IsTitleLine(l); });
    return line == lines.end() ? std::string() : TitleOf(*line);
}

std::string GetBMTitle(std::istream& page)
{
    TextLineReader lines(page);
    std::string line;
    while (lines.Next(line)) {
        if (IsTitleLine(line))
            return TitleOf(line);
    }
    return {};
}

std::string GetBMTitle(const std::filesystem::path& file)
{
    return GetBMTitle(ReadSourceFile(file));
}

bool GetAnchorInfo(std::string_view line, std::string& text, std::string& link)
{
    const auto tag = line.find(AnchorTag);
    if (tag == std::string_view::npos)
        return false;
    // The tag's name is taken to be one character past "<A", as in "<A HREF=...".
    const std::string_view rest = line.substr(std::min(tag + AnchorTag.size() + 1, line.size()));
    const auto tagEnd = rest.find('>');
    link = HrefOf(rest.substr(0, tagEnd));
    const auto textEnd = rest.find(AnchorEndTag);
    if (tagEnd == std::string_view::npos || textEnd == std::string_view::npos || textEnd < tagEnd)
        text.clear();
    else
        text = rest.substr(tagEnd + 1, textEnd - tagEnd - 1);
    return true;
}

ImportCounts ImportNSBook(std::istream& page, TreeNode& root)
{
    return ImportAnchors(ReadTextLines(page), root, KindWebsite);
}

ImportCounts ImportNSBook(const std::filesystem::path& directory, TreeNode& root)
{
    return ImportPageFile(directory, BookmarkFileName, root, KindWebsite);
}

ImportCounts ImportNSAddr(std::istream& page, TreeNode& root)
{
    return ImportAnchors(ReadTextLines(page), root, KindEMail);
}

ImportCounts ImportNSAddr(const std::filesystem::path& directory, TreeNode& root)
{
    return ImportPageFile(directory, AddressFileName, root, KindEMail);
}

} // namespace quillary
