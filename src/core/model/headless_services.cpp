// SPDX-License-Identifier: GPL-3.0-or-later
// Quiet stand-ins for the desktop, used where no window exists (the command line, tests that
// do not care): dialogs refuse, actions do nothing, there are no icons and no tools.
#include "common/clock.h"
#include "common/date_locale.h"
#include "model/item_forms.h"
#include "model/item_services.h"

namespace quillary {

namespace {
class HeadlessView final : public ItemView
{
public:
    void StartLabelEdit(TreeNode&) override {}
    void SelectNode(TreeNode&) override {}
    void ReselectNode(TreeNode&) override {}
};

class HeadlessDialogs final : public ItemDialogs
{
public:
    bool EditAddress(TKPXObject&, AddressForm&, EditMode) override { return false; }
    bool EditPhone(TKPXObject&, PhoneForm&, EditMode) override { return false; }
    bool EditFax(TKPXObject&, FaxForm&, EditMode) override { return false; }
    bool EditEMail(TKPXObject&, EMailForm&, EditMode) override { return false; }
    bool EditWebsite(TKPXObject&, WebsiteForm&, EditMode) override { return false; }
    bool EditGroup(TKPXObject&, GroupForm&) override { return false; }
    bool EditDocument(TKPXObject&, DocumentForm&, EditMode) override { return false; }
    bool EditTool(TKPXObject&, ToolForm&, EditMode) override { return false; }
    bool EditReminder(TKPXObject&, ReminderForm&, TRecurringDate&, EditMode) override { return false; }
    bool EditParty(TKPXObject&, PartyForm&, EditMode) override { return false; }
};

class HeadlessTelephony final : public Telephony
{
public:
    // No telephony handler: the negative result of a refused request.
    int RequestMakeCall(const std::string&, const std::string&, const std::string&, const std::string&) override
    {
        return -1;
    }
};

class HeadlessActions final : public ItemActions
{
public:
    void SendMail(const TEMailObject&, const std::string&) override {}
    void SendFax(const TFaxObject&, const std::string&) override {}
    void Browse(const std::string&) override {}
};

class HeadlessShell final : public Shell
{
public:
    void Open(const std::string&, const std::string&, const std::string&) override {}
    void OpenDocument(const std::string&) override {}
};

class HeadlessIcons final : public IconStore
{
public:
    int AppendFileIcon(const std::string&) override { return -1; }
    void ReplaceFileIcon(int, const std::string&) override {}
};

class HeadlessTools final : public ToolCatalog
{
public:
    std::optional<int> ImageIndexForProgram(const std::string&) const override { return std::nullopt; }
};

class HeadlessClipboard final : public ItemClipboard
{
public:
    void SetItemRecord(const std::string&, const std::string&) override {}
};
} // namespace

ItemServices WithHeadlessDefaults(ItemServices services)
{
    static HeadlessView view;
    static HeadlessDialogs dialogs;
    static HeadlessTelephony telephony;
    static HeadlessActions actions;
    static HeadlessShell shell;
    static HeadlessIcons icons;
    static HeadlessTools tools;
    static HeadlessClipboard clipboard;
    static const SystemClock clock;
    static const EnglishDateLocale locale;
    if (!services.view)
        services.view = &view;
    if (!services.dialogs)
        services.dialogs = &dialogs;
    if (!services.telephony)
        services.telephony = &telephony;
    if (!services.actions)
        services.actions = &actions;
    if (!services.shell)
        services.shell = &shell;
    if (!services.icons)
        services.icons = &icons;
    if (!services.tools)
        services.tools = &tools;
    if (!services.clipboard)
        services.clipboard = &clipboard;
    if (!services.clock)
        services.clock = &clock;
    if (!services.locale)
        services.locale = &locale;
    return services;
}

} // namespace quillary
