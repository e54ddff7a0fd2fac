// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

class TKPXObject;
class TRecurringDate;

// What an edit dialog shows and hands back. A dialog fills its controls from the form, and on
// OK writes them back into it; the item decides what is accepted and applies it.
enum class EditMode { New, Properties };

struct AddressForm
{
    std::string title;
    std::vector<std::string> lines; // the lines of the address box
    std::string city, state, postCode, country, comment;
};

// Numbers come back twice: as displayed (with the mask's literals) and as the plain digits
// that decide whether a number was entered at all. Without a mask both are the same text.
struct PhoneForm
{
    std::string title, number, plainNumber, extension, comment;
};

struct FaxForm
{
    std::string title, number, plainNumber, comment;
};

struct EMailForm
{
    std::string title, address, comment;
};

struct WebsiteForm
{
    std::string title, url, comment;
};

struct GroupForm // folders and teams
{
    std::string title, comment;
};

struct DocumentForm
{
    std::string title, fileName, comment;
};

struct ToolForm
{
    std::string title, address, comment;
    int iconIndex = 0;
};

struct ReminderForm
{
    std::string title, comment;
};

// Persons and organizations with their five primary sections.
struct PartyForm
{
    std::string title, comment;
    std::string salutation, firstName, middleName, lastName, suffix, company, jobTitle; // persons only
    AddressForm address;
    PhoneForm phone;
    FaxForm fax;
    EMailForm email;
    WebsiteForm website;
};

// The modal edit dialogs. Each returns true when it closed with OK. The item is passed so the
// dialog can edit its categories and, for persons and organizations, list its children.
class ItemDialogs
{
public:
    virtual ~ItemDialogs() = default;
    virtual bool EditAddress(TKPXObject& item, AddressForm& form, EditMode mode) = 0;
    virtual bool EditPhone(TKPXObject& item, PhoneForm& form, EditMode mode) = 0;
    virtual bool EditFax(TKPXObject& item, FaxForm& form, EditMode mode) = 0;
    virtual bool EditEMail(TKPXObject& item, EMailForm& form, EditMode mode) = 0;
    virtual bool EditWebsite(TKPXObject& item, WebsiteForm& form, EditMode mode) = 0;
    virtual bool EditGroup(TKPXObject& item, GroupForm& form) = 0;
    virtual bool EditDocument(TKPXObject& item, DocumentForm& form, EditMode mode) = 0;
    virtual bool EditTool(TKPXObject& item, ToolForm& form, EditMode mode) = 0;
    // Works on the reminder's own recurring date, which "Set Date..." and "Advance" change at once.
    virtual bool EditReminder(TKPXObject& item, ReminderForm& form, TRecurringDate& date, EditMode mode) = 0;
    virtual bool EditParty(TKPXObject& item, PartyForm& form, EditMode mode) = 0;
};

} // namespace quillary
