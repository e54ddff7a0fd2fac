// SPDX-License-Identifier: GPL-3.0-or-later
// Recording stand-ins for the desktop, so item behaviour can be checked without a window.
#pragma once

#include "common/clock.h"
#include "common/date_locale.h"
#include "model/item_forms.h"
#include "model/item_services.h"
#include "model/items_contact.h"
#include "model/tree_node.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillary::test {

class FixedClock final : public Clock
{
public:
    explicit FixedClock(CivilDate today = {2026, 12, 8}) : today(today) {}
    CivilDate Today() const override { return today; }
    CivilDate today;
};

struct Call
{
    std::string what;
    std::vector<std::string> args;
    bool operator==(const Call&) const = default;
};

class RecordingDesktop final : public ItemView,
                               public Telephony,
                               public ItemActions,
                               public Shell,
                               public IconStore,
                               public ToolCatalog,
                               public ItemClipboard
{
public:
    void StartLabelEdit(TreeNode& node) override { calls.push_back({"edit-label", {node.Text()}}); }
    void SelectNode(TreeNode& node) override { calls.push_back({"select", {node.Text()}}); }
    void ReselectNode(TreeNode& node) override { calls.push_back({"reselect", {node.Text()}}); }
    int RequestMakeCall(const std::string& number, const std::string& app, const std::string& party,
                        const std::string& comment) override
    {
        calls.push_back({"dial", {number, app, party, comment}});
        return dialResult;
    }
    void SendMail(const TEMailObject& item, const std::string& attachment) override
    {
        calls.push_back({"mail", {item.GetTarget(), attachment}});
    }
    void SendFax(const TFaxObject& item, const std::string& document) override
    {
        calls.push_back({"fax", {item.GetTarget(), document}});
    }
    void Browse(const std::string& url) override { calls.push_back({"browse", {url}}); }
    void Open(const std::string& file, const std::string& parameters, const std::string& directory) override
    {
        calls.push_back({"open", {file, parameters, directory}});
    }
    void OpenDocument(const std::string& file) override { calls.push_back({"open-document", {file}}); }
    int AppendFileIcon(const std::string& path) override
    {
        calls.push_back({"append-icon", {path}});
        return nextIcon++;
    }
    void ReplaceFileIcon(int index, const std::string& path) override
    {
        calls.push_back({"replace-icon", {std::to_string(index), path}});
    }
    std::optional<int> ImageIndexForProgram(const std::string& program) const override
    {
        const auto it = toolImages.find(program);
        return it == toolImages.end() ? std::nullopt : std::optional<int>(it->second);
    }
    void SetItemRecord(const std::string& record, const std::string& plainText) override
    {
        calls.push_back({"clipboard", {record, plainText}});
    }

    std::vector<Call> calls;
    int dialResult = 0;
    int nextIcon = 14;
    std::map<std::string, int> toolImages;
};

// Answers each dialog with a scripted edit of the form; no script means Cancel.
class ScriptedDialogs final : public ItemDialogs
{
public:
    template <typename Form> using Script = std::function<bool(Form&, EditMode)>;

    bool EditAddress(TKPXObject&, AddressForm& f, EditMode m) override { return Answer(address, f, m); }
    bool EditPhone(TKPXObject&, PhoneForm& f, EditMode m) override { return Answer(phone, f, m); }
    bool EditFax(TKPXObject&, FaxForm& f, EditMode m) override { return Answer(fax, f, m); }
    bool EditEMail(TKPXObject&, EMailForm& f, EditMode m) override { return Answer(email, f, m); }
    bool EditWebsite(TKPXObject&, WebsiteForm& f, EditMode m) override { return Answer(website, f, m); }
    bool EditGroup(TKPXObject&, GroupForm& f) override { return Answer(group, f, EditMode::Properties); }
    bool EditDocument(TKPXObject&, DocumentForm& f, EditMode m) override { return Answer(document, f, m); }
    bool EditTool(TKPXObject&, ToolForm& f, EditMode m) override { return Answer(tool, f, m); }
    bool EditReminder(TKPXObject&, ReminderForm& f, TRecurringDate& date, EditMode m) override
    {
        if (onReminderDate)
            onReminderDate(date);
        return Answer(reminder, f, m);
    }
    bool EditParty(TKPXObject&, PartyForm& f, EditMode m) override { return Answer(party, f, m); }

    Script<AddressForm> address;
    Script<PhoneForm> phone;
    Script<FaxForm> fax;
    Script<EMailForm> email;
    Script<WebsiteForm> website;
    Script<GroupForm> group;
    Script<DocumentForm> document;
    Script<ToolForm> tool;
    Script<ReminderForm> reminder;
    Script<PartyForm> party;
    std::function<void(TRecurringDate&)> onReminderDate;

private:
    template <typename Form> static bool Answer(const Script<Form>& script, Form& form, EditMode mode)
    {
        return script ? script(form, mode) : false;
    }
};

// A tree wired to the recording desktop, scripted dialogs, English names and a fixed day.
struct TestWorld
{
    RecordingDesktop desktop;
    ScriptedDialogs dialogs;
    FixedClock clock;
    EnglishDateLocale locale;

    ItemServices Services()
    {
        ItemServices s;
        s.view = &desktop;
        s.dialogs = &dialogs;
        s.telephony = &desktop;
        s.actions = &desktop;
        s.shell = &desktop;
        s.icons = &desktop;
        s.tools = &desktop;
        s.clipboard = &desktop;
        s.clock = &clock;
        s.locale = &locale;
        return s;
    }
};

} // namespace quillary::test
