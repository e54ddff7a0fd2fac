// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"
#include "exchange/vcard_version.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

class TreeNode;

// The maker's web page, behind the credit button of every published site.
inline constexpr std::string_view MakerWebPage = "https://quillary.example.org/";

inline constexpr std::string_view IndexPageName = "zelkindex.htm";
inline constexpr std::string_view EntriesPageName = "zelkmain.htm";
inline constexpr std::string_view SiteItemFileName = "zelkmain.zkd";

// What the publishing wizard collected for a web site.
struct PublishSettings
{
    // The frameset or single page; every other file goes into its folder.
    std::filesystem::path mainFile;
    std::string pageTitle;
    bool frames = true;
    // The deepest index level counted from the published node, 0 for all levels (0 to 9).
    int levels = 0;
    std::optional<std::filesystem::path> background;
    // Names from the wizard's colour list, written as they are.
    std::string textColour = "Black";
    std::string linkColour = "Navy";
    bool includeItemFile = true;
    bool includeVCards = true;
    VCardVersion vcardVersion = VCardVersion::V21;
    // Where the eight pictures of every site are copied from.
    std::filesystem::path iconsFolder;
};

// Writes the site for published and everything below it: the pages, the interchange file and the
// vCards as the settings ask, then the background and the pictures where the folder lacks them.
// Each page replaces an old one only once it is complete. progress hears of each node whose
// entry was written; when it answers false the main page is left as it was, nothing more is
// written and the result is false. Failing writes throw FileError. New files of the site get the
// umask's mode, as a web server must read them; the program's other files are private.
bool PublishHTML(TreeNode& published, const PublishSettings& settings, const ProgressFn& progress = {});

// The head of a page, with the page title when asked and a base target when one is given.
void WriteHead(std::ostream& out, const PublishSettings& settings, std::string_view baseTarget, bool withTitle);
// The link to the interchange file (writing that file) and the index lines of the nodes below
// published, each linking to its entry on the page named by linkPrefix.
void WriteIndex(std::ostream& out, TreeNode& published, const PublishSettings& settings, std::string_view linkPrefix);
// The entries of published and of every node below it, and their vCard files. The result is
// false when progress asked to stop.
bool WriteEntries(std::ostream& out, TreeNode& published, const PublishSettings& settings,
                  const ProgressFn& progress = {});

} // namespace quillary
