// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_services.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TProfileFile;

// One outside program registered to be started from the tool menus and the Tools dialog.
struct TToolItem
{
    std::string Description;
    std::string Filename;
    std::string Arguments;
    bool AllowAddressItem = false;
    // Index of the program's icon in the main window's image lists; -1 while none was added.
    int ImageIndex = -1;

    // Arguments + " " + extra when either is non-empty, else empty (the trailing blank is kept on purpose).
    std::string LaunchParameters(std::string_view extra) const;
    // The folder of Filename, used as the working directory of a launch.
    std::string WorkingDirectory() const;
};

// The registered tools in the order they were added. The list owns them; a tool's address stays the
// same for as long as it is in the list, so views may keep pointers to it.
class TToolItems : public ToolCatalog
{
public:
    std::size_t Count() const { return m_tools.size(); }
    // The tool at a position; nullptr beyond the end.
    TToolItem* At(std::size_t index);
    const TToolItem* At(std::size_t index) const;

    // Appends the tool and returns it.
    TToolItem& Add(std::unique_ptr<TToolItem> tool);
    // Removes and frees exactly that tool (compared by address); false when it is not in the list.
    bool Remove(const TToolItem* tool);
    // The first tool whose Filename equals the name exactly, or nullptr.
    TToolItem* FindByFilename(std::string_view name);
    const TToolItem* FindByFilename(std::string_view name) const;

    // The found tool's ImageIndex when it has one.
    std::optional<int> ImageIndexForProgram(const std::string& program) const override;

    // Appends a tool for every value of section "Tools" (every key, whatever its name, in file order)
    // that splits into exactly four fields; other values are kept aside as they stand.
    void Load(const TProfileFile& profile);
    // Replaces section "Tools" with keys "Tool0" onwards, followed by the values Load could not
    // read, unchanged and under their own key unless a tool now has it; the caller flushes.
    void Save(TProfileFile& profile) const;

private:
    struct KeptLine
    {
        std::string key;
        std::string value;
    };
    std::vector<std::unique_ptr<TToolItem>> m_tools;
    // Values another version or a hand edit wrote: a later version may read them, so they are
    // never dropped.
    std::vector<KeptLine> m_unread;
};

// True when the path names a program: it ends with ".exe" in any letter case.
// Whether the file exists and may be executed is left to the caller.
bool IsToolProgramName(std::string_view path);
// The description a new tool gets: the file name without its folder and without a final ".exe".
std::string ToolDescriptionFromPath(std::string_view path);
// The browser program given to the browser link: the path without a final ".exe", else unchanged.
std::string BrowserProgramFromPath(std::string_view path);

} // namespace quillary
