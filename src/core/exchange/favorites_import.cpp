// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/favorites_import.h"

#include "common/ascii_case.h"
#include "common/file_error.h"
#include "common/path_text.h"
#include "exchange/file_iterator.h"
#include "exchange/internet_shortcut.h"
#include "links/web_link.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <string>

namespace quillary {

namespace {

constexpr std::string_view ShortcutExtension = ".url";

bool IsShortcutName(std::string_view name)
{
    return name.size() >= ShortcutExtension.size() &&
           EqualsNoCase(name.substr(name.size() - ShortcutExtension.size()), ShortcutExtension);
}

// With one separator at the end, as the folder part of the paths of the files in it.
std::string FolderPrefix(const std::string& folder)
{
    return folder.ends_with('/') ? folder : folder + "/";
}

TreeNode& MakeFolder(std::string_view title, TreeNode& parent)
{
    return *CreateItem(KindFolder, title, "", "", parent, "", 0)->GetTreeNode();
}

// The first node in tree order whose label is exactly text.
TreeNode* FindNodeByText(ItemTree& tree, const std::string& text)
{
    for (int i = 0; i < tree.NodeCount(); ++i) {
        if (TreeNode* node = tree.NodeAt(i); node->Text() == text)
            return node;
    }
    return nullptr;
}

class FavoritesImport
{
public:
    FavoritesImport(std::string directory, TreeNode& destination)
        : m_directory(std::move(directory)), m_prefix(FolderPrefix(m_directory)),
          m_top(MakeFolder(GetFolderName(m_prefix), destination)), m_current(&m_top)
    {
    }

    ImportCounts Run()
    {
        TFileIterator files;
        files.SetRootFolder(m_directory);
        files.OnAddFile = [this](TFileIterator&, const std::string& path, const TFileInfo&) { AddFile(path); };
        try {
            files.Execute();
        } catch (const FileError&) {
            m_top.Tree().DeleteNode(m_top);
            throw;
        }
        for (int i = 0; i < files.SkippedFolders(); ++i)
            m_counts.CountRejected("sub-folder: cannot be read");
        return m_counts;
    }

private:
    void AddFile(const std::string& path)
    {
        const std::string name = ExtractFileName(path);
        if (!IsShortcutName(name)) {
            m_counts.CountRejected("file " + name + ": no Internet shortcut");
            return;
        }
        m_shortcut.SetFileName(path);
        try {
            m_shortcut.Read();
        } catch (const FileError&) {
            // One unreadable shortcut does not stop the others.
            m_counts.CountRejected("shortcut " + name + ": cannot be read");
            return;
        }
        if (const auto problem = LinkProblem(m_shortcut.URL())) {
            m_counts.CountRejected("shortcut " + name + ": " + *problem);
            return;
        }
        const std::string title = name.substr(0, name.size() - ShortcutExtension.size());
        CreateItem(KindWebsite, title, m_shortcut.URL(), "", FolderFor(path), "", 0);
        m_counts.CountMade(KindWebsite);
    }

    TreeNode& FolderFor(const std::string& path)
    {
        // Files of the favorites folder itself always go to the import's own folder, also when
        // the walk comes back to them from a sub-folder and another node bears the same name.
        if (ExtractFilePath(path) == m_prefix)
            return *(m_current = &m_top);
        const std::string folderName = GetFolderName(path);
        if (m_current->Text() != folderName) {
            TreeNode* found = FindNodeByText(m_top.Tree(), folderName);
            m_current = found ? found : &MakeFolder(folderName, m_top);
        }
        return *m_current;
    }

    std::string m_directory;
    std::string m_prefix;
    TreeNode& m_top;
    TreeNode* m_current;
    TIShortCut m_shortcut;
    ImportCounts m_counts;
};

// Without trailing separators, except for the root itself.
std::string FolderPath(std::string_view directory)
{
    while (directory.size() > 1 && directory.ends_with('/'))
        directory.remove_suffix(1);
    return std::string(directory);
}

} // namespace

ImportCounts ImportFavorites(std::string_view directory, TreeNode& destination)
{
    TreeUpdateGuard guard(destination.Tree());
    return FavoritesImport(FolderPath(directory), destination).Run();
}

} // namespace quillary
