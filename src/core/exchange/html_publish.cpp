// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/html_publish.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "exchange/html_entry.h"
#include "exchange/html_text.h"
#include "exchange/item_html.h"
#include "exchange/party_vcard.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <ostream>

namespace quillary {

namespace fs = std::filesystem;

namespace {
constexpr std::array<std::string_view, 8> SitePictures = {"folder.gif", "org.gif",     "person.gif", "team.gif",
                                                          "web.gif",    "zelkbtn.gif", "kpx_16.gif", "vcard.gif"};

// Thrown out of a page that progress stopped, so the page is not put in place.
struct PublishStopped
{
};

fs::path OutputFolder(const PublishSettings& settings)
{
    return settings.mainFile.parent_path();
}

// Indents index lines and entries by their depth: one "<blockquote>" whenever a node stands
// deeper than the current level, however much deeper, and one "</blockquote>" per level on the
// way back.
class BlockquoteNesting
{
public:
    explicit BlockquoteNesting(int level) : m_level(level) {}
    void MoveTo(std::ostream& out, int depth)
    {
        if (depth > m_level) {
            m_level = depth;
            WriteHtmlLine(out, {"<blockquote>"});
        }
        for (; depth < m_level; --m_level)
            WriteHtmlLine(out, {"</blockquote>"});
    }

private:
    int m_level;
};

void WriteBodyLine(std::ostream& out, const PublishSettings& settings)
{
    const std::string background = settings.background ? settings.background->filename().string() : std::string();
    WriteHtmlLine(out, {"<body background=\"", EscapeHtml(background), "\" text=", settings.textColour,
                        " link=", settings.linkColour, ">"});
}

// In the index frame the button opens the maker's page in a window of its own.
void WriteCredits(std::ostream& out, bool ownWindow)
{
    WriteHtmlLine(out, {"<p><font size=1>This page created with...<br></font>"});
    WriteHtmlLine(out, {"<a href=\"", MakerWebPage, "\"", ownWindow ? " target=\"window\"" : "",
                        "><img src=\"zelkbtn.gif\" align=bottom border=0 width=120 height=40></a></p>"});
}

void WritePageHeading(std::ostream& out, const PublishSettings& settings)
{
    WriteHtmlLine(out, {"<h2>", EscapeHtml(settings.pageTitle), "</h2>"});
    WriteHtmlLine(out, {"<p>&nbsp;</p>"});
}

void WriteEnd(std::ostream& out)
{
    WriteHtmlLine(out, {"</body>"});
    WriteHtmlLine(out, {"</html>"});
}

// Item text is written as UTF-8 (EscapeHtml repairs older single-byte text), and every page says so.
constexpr std::string_view CharsetLine = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";

void WriteFrameset(std::ostream& out, const TreeNode& published)
{
    for (std::string_view line : {std::string_view("<html>"), std::string_view("<head>"), CharsetLine})
        WriteHtmlLine(out, {line});
    WriteHtmlLine(out, {"<title>", EscapeHtml(published.Data()->GetTitle()), "</title>"});
    for (std::string_view line :
         {"<meta name=\"GENERATOR\" content=\"Quillary\">", "</head>", "<frameset cols=\"35%,65%\">",
          "<frame src=\"zelkindex.htm\" name=\"index\" marginwidth=1 marginheight=1>",
          "<frame src=\"zelkmain.htm\" name=\"main\" marginwidth=1 marginheight=1>", "<noframes>", "<body><p>",
          "<p>This Web page uses frames, but your browser does not support them.</p>", "</body>", "</noframes>",
          "</frameset>", "</html>"})
        WriteHtmlLine(out, {line});
}

void WriteIndexPage(std::ostream& out, TreeNode& published, const PublishSettings& settings)
{
    WriteHead(out, settings, "main", true);
    WriteBodyLine(out, settings);
    WriteIndex(out, published, settings, EntriesPageName);
    WriteCredits(out, true);
    WriteEnd(out);
}

void WriteEntriesPage(std::ostream& out, TreeNode& published, const PublishSettings& settings,
                      const ProgressFn& progress)
{
    WriteHead(out, settings, {}, true);
    WriteBodyLine(out, settings);
    WritePageHeading(out, settings);
    WriteHtmlLine(out, {"<hr>"});
    if (!WriteEntries(out, published, settings, progress))
        throw PublishStopped{};
    WriteEnd(out);
}

void WriteSinglePage(std::ostream& out, TreeNode& published, const PublishSettings& settings,
                     const ProgressFn& progress)
{
    WriteHead(out, settings, {}, true);
    WriteBodyLine(out, settings);
    WritePageHeading(out, settings);
    WriteCredits(out, false);
    WriteIndex(out, published, settings, {});
    WriteHtmlLine(out, {"<hr>"});
    if (!WriteEntries(out, published, settings, progress))
        throw PublishStopped{};
    WriteEnd(out);
}

void WritePages(TreeNode& published, const PublishSettings& settings, const ProgressFn& progress)
{
    if (!settings.frames) {
        WriteFileAtomically(settings.mainFile,
                            [&](std::ostream& out) { WriteSinglePage(out, published, settings, progress); });
        return;
    }
    const fs::path folder = OutputFolder(settings);
    WriteFileAtomically(settings.mainFile, [&](std::ostream& out) { WriteFrameset(out, published); });
    WriteFileAtomically(folder / IndexPageName, [&](std::ostream& out) { WriteIndexPage(out, published, settings); });
    WriteFileAtomically(folder / EntriesPageName,
                        [&](std::ostream& out) { WriteEntriesPage(out, published, settings, progress); });
}

// Copies a file that exists into folder under its own name, unless one of that name is there;
// the copy appears whole or not at all.
void CopyIfMissing(const fs::path& source, const fs::path& folder)
{
    const fs::path copy = folder / source.filename();
    std::error_code error;
    if (!fs::is_regular_file(source, error) || fs::exists(copy, error))
        return;
    std::ifstream in(source, std::ios::binary);
    if (!in)
        throw FileError(source, "Cannot read file");
    WriteFileAtomically(copy, [&](std::ostream& out) {
        std::copy(std::istreambuf_iterator<char>(in), {}, std::ostreambuf_iterator<char>(out));
        if (in.bad())
            throw FileError(source, "Cannot read file");
    });
}

void CopyPictures(const PublishSettings& settings)
{
    const fs::path folder = OutputFolder(settings);
    if (settings.background)
        CopyIfMissing(*settings.background, folder);
    for (std::string_view picture : SitePictures)
        CopyIfMissing(settings.iconsFolder / picture, folder);
}

// Whether a node below the published one, which stands at depth top, gets an index line.
bool InIndex(const TreeNode& node, int top, int levels)
{
    return node.Data()->ListInIndex() && (levels == 0 || node.Depth() - top <= levels);
}

std::uint64_t CountNodes(TreeNode& start)
{
    std::uint64_t count = 0;
    ForEachInSubtree(start, [&](TreeNode&) { ++count; });
    return count;
}
} // namespace

bool PublishHTML(TreeNode& published, const PublishSettings& settings, const ProgressFn& progress)
{
    BatchedSync batch(OutputFolder(settings));
    // A site is made for a web server to read; its files keep the umask's mode.
    SharedFileMode shared;
    try {
        WritePages(published, settings, progress);
    } catch (const PublishStopped&) {
        return false;
    }
    CopyPictures(settings);
    return true;
}

void WriteHead(std::ostream& out, const PublishSettings& settings, std::string_view baseTarget, bool withTitle)
{
    WriteHtmlLine(out, {"<html>"});
    WriteHtmlLine(out, {"<head>"});
    WriteHtmlLine(out, {CharsetLine});
    if (withTitle)
        WriteHtmlLine(out, {"<title>", EscapeHtml(settings.pageTitle), "</title>"});
    WriteHtmlLine(out, {"<meta name=\"GENERATOR\" content=\"Quillary\">"});
    if (!baseTarget.empty())
        WriteHtmlLine(out, {"<base target=", baseTarget, ">"});
    WriteHtmlLine(out, {"</head>"});
}

void WriteIndex(std::ostream& out, TreeNode& published, const PublishSettings& settings, std::string_view linkPrefix)
{
    if (settings.includeItemFile) {
        WriteHtmlLine(out, {"<p><font size=2><a href=\"zelkmain.zkd\"><img src=\"kpx_16.gif\" align=left border=0 "
                            "width=16 height=16>Get Quillary&#153; file</a></font></p>"});
        WriteSubtree(published, OutputFolder(settings) / SiteItemFileName);
    }
    BlockquoteNesting nesting(published.Depth() + 1);
    ForEachInSubtree(published, [&](TreeNode& node) {
        if (&node == &published || !InIndex(node, published.Depth(), settings.levels))
            return;
        nesting.MoveTo(out, node.Depth());
        WriteItemIndexLink(out, *node.Data(), linkPrefix);
    });
}

bool WriteEntries(std::ostream& out, TreeNode& published, const PublishSettings& settings, const ProgressFn& progress)
{
    const fs::path folder = OutputFolder(settings);
    const std::uint64_t total = progress ? CountNodes(published) : 0;
    std::uint64_t done = 0;
    bool going = true;
    BlockquoteNesting nesting(published.Depth());
    VCardFileNames vcards;
    ForEachInSubtree(published, [&](TreeNode& node) {
        if (!going)
            return;
        const TKPXObject& item = *node.Data();
        nesting.MoveTo(out, node.Depth());
        const bool party = item.GetKind() == KindPerson || item.GetKind() == KindOrganization;
        const std::string vcard = settings.includeVCards && party ? vcards.Next(item.GetID()) : std::string();
        WriteItemHtml(out, item, vcard);
        if (!vcard.empty())
            WriteVCard(item, folder / vcard, settings.vcardVersion);
        going = !progress || progress(++done, total);
    });
    return going;
}

} // namespace quillary
