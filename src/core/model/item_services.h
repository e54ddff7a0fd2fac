// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quillary {

class Clock;
class DateLocale;
class ItemDialogs;
class TEMailObject;
class TFaxObject;
class TreeNode;

// The folder tree and item list as items see them.
class ItemView
{
public:
    virtual ~ItemView() = default;
    // Makes the node visible and starts editing its label in place.
    virtual void StartLabelEdit(TreeNode& node) = 0;
    virtual void SelectNode(TreeNode& node) = 0;
    // Selects the root and then this node again, so the item list is filled anew.
    virtual void ReselectNode(TreeNode& node) = 0;
};

// The telephony request service: number, application name, called party, comment.
class Telephony
{
public:
    virtual ~Telephony() = default;
    virtual int RequestMakeCall(const std::string& number, const std::string& appName, const std::string& calledParty,
                                const std::string& comment) = 0;
};

// Mail, fax and browser actions of single detail items.
class ItemActions
{
public:
    virtual ~ItemActions() = default;
    virtual void SendMail(const TEMailObject& item, const std::string& attachment) = 0;
    virtual void SendFax(const TFaxObject& item, const std::string& document) = 0;
    virtual void Browse(const std::string& url) = 0;
};

// The shell's "open", shown normally.
class Shell
{
public:
    virtual ~Shell() = default;
    // Starts a program with its parameters in a working directory (tools); a file that is no
    // program is opened as a document.
    virtual void Open(const std::string& file, const std::string& parameters, const std::string& directory) = 0;
    // Opens a document or an address with the desktop's handler for it. Never runs it, even when
    // it is a program: a document's file name comes from data that others may have written.
    virtual void OpenDocument(const std::string& file) = 0;
};

// The main window's two image lists, as far as documents and tools add pictures to them.
class IconStore
{
public:
    virtual ~IconStore() = default;
    // Appends the file's associated icon to both lists; its position, or -1 when there is none.
    virtual int AppendFileIcon(const std::string& path) = 0;
    // Puts the file's icon at position index of both lists.
    virtual void ReplaceFileIcon(int index, const std::string& path) = 0;
};

// The configured tools, as tool items look up their picture.
class ToolCatalog
{
public:
    virtual ~ToolCatalog() = default;
    virtual std::optional<int> ImageIndexForProgram(const std::string& program) const = 0;
};

// The clipboard: one item's record under the private format, and its plain text.
class ItemClipboard
{
public:
    virtual ~ItemClipboard() = default;
    virtual void SetItemRecord(const std::string& record, const std::string& plainText) = 0;
};

// The narrow interfaces through which items reach the user interface and the desktop.
// Any left empty is served by a quiet headless stand-in (dialogs refuse, actions do nothing).
struct ItemServices
{
    ItemView* view = nullptr;
    ItemDialogs* dialogs = nullptr;
    Telephony* telephony = nullptr;
    ItemActions* actions = nullptr;
    Shell* shell = nullptr;
    IconStore* icons = nullptr;
    ToolCatalog* tools = nullptr;
    ItemClipboard* clipboard = nullptr;
    const Clock* clock = nullptr;
    const DateLocale* locale = nullptr;
};

// Fills every empty member with the headless stand-in.
ItemServices WithHeadlessDefaults(ItemServices services);

} // namespace quillary
