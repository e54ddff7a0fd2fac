// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/csv_import.h"
#include "exchange/import_counts.h"
#include "exchange/vcard_import.h"
#include "model/category_names.h"

#include <filesystem>
#include <string>

namespace quillary {

class TreeNode;

// The sources an import reads, in the order of the Import Wizard's type list.
enum class ImportFormat {
    ItemFile,      // the program's own interchange file (.zkd)
    Favorites,     // a browser's favorites: a folder of Internet shortcuts
    Bookmarks,     // a browser's bookmark page (bookmark.htm)
    AddressBook,   // a browser's address-book page (address.htm)
    Nicknames,     // an e-mail program's nickname file (nndbase.txt)
    DelimitedText, // comma-, semicolon- or tab-separated text
    VCard,         // vCard file
};

// One import, as a front end fills it in from its own inputs (the command line's flags, the
// Import Wizard's pages); RunImport does the rest.
struct ImportRequest
{
    ImportFormat format = ImportFormat::ItemFile;
    // The file read, or for favorites the folder (ReadsFolder).
    std::filesystem::path source;
    // The node that receives what is read. The front end decides it: the command line's --into,
    // the Import Wizard's root or its destination node by type.
    TreeNode* destination = nullptr;
    // Bookmarks, address book and nicknames only: source is the folder that holds the page or
    // file under its usual name (found in any case, FindSourceFile), as the Import Wizard's
    // folder pages choose it; a folder without one imports nothing. Otherwise source is the page
    // or file itself.
    bool pageInFolder = false;
    // Delimited text: how the file is read, before TextImportSettings' rules.
    CsvImportSettings csv;
    // vCard: the category names a card's CATEGORIES tick, and who answers for each card that names
    // an organization; without one every card becomes a person (the answer of a closed question).
    CategoryNames categories{};
    OrgCardQuestion* orgCards = nullptr;
    // Delimited text and vCard (ReportsProgress): told now and then how far the import is; false
    // cancels it, and what it had made is taken back.
    ProgressFn progress;
};

// What one import did. A failed or cancelled import took everything it had made back, so the
// tree is as it was (its siblings sorted); its counts are then empty.
struct ImportResult
{
    ImportCounts counts;
    bool cancelled = false;
    // Why nothing was imported, naming the source ("cannot read bookmark.htm", "Cannot open file:
    // cards.vcf"); empty when the import ran.
    std::string failure;

    bool Failed() const { return !failure.empty(); }
};

// Whether the format's source is a folder (favorites; the browser and nickname pages with
// pageInFolder) rather than a file.
bool ReadsFolder(ImportFormat format, bool pageInFolder = false);
// Whether the format reports progress and can be cancelled through it.
bool ReportsProgress(ImportFormat format);

// The settings delimited text is read with, from what a front end chose: a separator of Tab
// reads tabs whatever the file holds; without the first line of field names "Auto" reads commas,
// as lines without field names always were (the separator is detected only with that line), and
// no fields named reads every field of the kind, in the record type's order; with the first line,
// no fields named maps the columns from it (MapCsvHeader).
CsvImportSettings TextImportSettings(CsvImportSettings chosen);

// Runs the import: checks the source (a missing or unreadable one fails with a message naming it
// and changes nothing), reads it beneath the destination with one reset of the tree's views, takes
// back whatever it made when it fails half way or is cancelled, and leaves every node of the tree
// sorted.
ImportResult RunImport(const ImportRequest& request);

// Answers the organization-card question the same way for every card: the command line's
// --org-cards.
class FixedOrgCardAnswer final : public OrgCardQuestion
{
public:
    explicit FixedOrgCardAnswer(bool asOrganization) : m_asOrganization(asOrganization) {}
    bool ImportAsOrganization(const std::string&, const std::string&) override { return m_asOrganization; }

private:
    bool m_asOrganization;
};

} // namespace quillary
