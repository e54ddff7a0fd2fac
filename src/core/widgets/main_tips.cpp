// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/main_tips.h"

#include <iterator>

namespace quillary {
namespace {

struct Tip
{
    const char* text;
    int context; // 0: no help topic, the bulb stays disabled
};

// The tip bar never picks the last entry as the first tip of a run, so that place holds the web page hint rather
// than a feature.
constexpr Tip Tips[] = {
    {"Did you know Quillary works as a 'Helper Application' with your web browser? Click bulb to learn how!", 1024},
    {"If you use Eudora, import your address book. Click 'File...Import' to use the Import Wizard", 1020},
    {"Did you know each contact can be flagged with one of 32 user-defined categories? This lets you group contacts.",
     1002},
    {"To find a contact, type any part of the title in the 'Find' edit box. Press F3 key to repeat the search.", 1015},
    {"Did you know there are two main window setups? Select 'View...Toggle Main Window' to switch. All settings are "
     "stored.",
     0},
    {"To edit a contact, right-click the icon and select 'Properties' from the popup menu.", 0},
    {"Bring your Netscape bookmarks along: select 'File...Import' and choose 'Netscape Bookmarks'.", 1020},
    {"A folder of Internet Shortcuts (*.url files) imports as websites; its sub-folders become folders.", 1020},
    {"Contacts in a spreadsheet? Save them as comma- or tab-separated text and import them with the Import Wizard.",
     1044},
    {"When importing text, list the fields each line holds under 'Fields to Import (in order)'. Drag them to reorder.",
     1044},
    {"Quillary reads vCard files from other address books: select 'File...Import' and choose 'vCard File (*.VCF)'.",
     1022},
    {"Select a person or organization and publish it as a 'vCard File (.VCF)' to hand it to another address book.",
     1022},
    {"Open a .zkd or .vcf file with Quillary and its contents are imported, also by the copy that is already running.",
     1024},
    {"Share your contacts: 'File...Publish' saves the selected folder and everything below it as a Quillary file.",
     1045},
    {"Turn any folder into a small web site: select 'File...Publish' and choose 'HTML File (.HTM)'.", 1045},
    {"Need your contacts in another program? 'File...Publish' writes comma-separated values with the fields you pick.",
     1045},
    {"Print mailing labels on Avery sheets: click 'Print' and choose 'Address Labels'.", 1033},
    {"To address an envelope, select a person, click 'Print' and choose 'Envelope'. The address is filled in for you.",
     1033},
    {"Print an 'Address & Phone Book' of any folder, in up to four columns.", 1033},
    {"Never forget a birthday: select the person and click 'Remind' on the New Item Bar.", 1018},
    {"A reminder can recur every week, every other week, every month or every year. Click 'Set Date...' to choose.",
     1018},
    {"A due reminder marks its contact and folders in the tree. Right-click it and select 'Advance Date' when done.",
     1018},
    {"Drag a file from your file manager into the item list to keep it as a document. Double-click it to open it.",
     1028},
    {"Keep letters and spreadsheets with their contacts: right-click and select 'New...Document'.", 1028},
    {"Drag a document onto a contact to send it by fax or as an e-mail attachment.", 1008},
    {"Move contacts to another folder by dragging their icons onto that folder in the tree.", 1008},
    {"Copy one address, phone number or e-mail address and paste it as plain text into any other program.", 1008},
    {"Double-click a phone number to dial it: Quillary hands the number to your desktop's phone application.", 1012},
    {"To mail several people at once, select their icons and choose 'Send Mail' from the popup menu.", 1012},
    {"Right-click a fax number and select 'Send Fax' to fax it through HylaFAX.", 1012},
    {"Give a person a primary phone, fax, e-mail address and website, and 'Dial' or 'Send Mail' works on the person.",
     1039},
    {"Choose how e-mail is sent on the 'Browser/Mail' page of 'View...Options...', for example 'Use \"mailto\" "
     "protocol'.",
     1040},
    {"Give the 32 categories names of your own on the 'Categories' page of 'View...Options...'.", 1040},
    {"Click the small category picture in any edit dialog to choose the item's categories.", 1002},
    {"Press a 'Filter' button on the toolbar to show only the items matching ANY or ALL of the categories you tick.",
     1002},
    {"Hold Ctrl or Shift while clicking to select several icons, or use 'Edit...Select All'.", 1003},
    {"Closing the main window keeps Quillary running in the tray. Click the tray icon to bring the window back.", 1036},
    {"Start Quillary with the word HIDEWIN, for instance from your desktop's autostart, and it starts in the tray.",
     1036},
    {"Your data lives in ~/.local/share/quillary and is saved when Quillary ends. 'File...Save' saves it at once.",
     1036},
    {"Add your favourite programs on the 'Tools Menu' page of 'View...Options...' and start them from the toolbar.",
     1030},
    {"Looking at a page you want to keep? Click 'Get Browser URL' and Quillary adds it as a website.", 1024},
    {"Check 'Save Return Address' in the envelope settings and Quillary remembers your return address.", 0},
    {"Click 'Up one level' on the Find bar to go to the folder that holds the one you are in.", 0},
    {"To rename an entry, right-click it, select 'Edit...Rename' and type the new title.", 0},
    {"A new folder or team is named right in the tree: type its name and press Enter.", 0},
    {"Switch the item list between 'Large Icons', 'Small Icons', 'List' and 'Details' on the toolbar.", 0},
    {"Right-click a website and select 'Browse' to open it in your web browser.", 0},
    {"Other programs can read and extend your contacts through the D-Bus service Zelk.Application.", 0},
    {"For scripts: 'quillary-cli tree FILE' prints the items of a data file or a .zkd file, indented by level.", 0},
    {"Visit the Quillary Page for news and add-ons: select 'Help...On the Web...Quillary Page'.", 0},
};

std::string QuoteTipText(const char* text)
{
    std::string quoted = "\"";
    for (; *text != '\0'; ++text) {
        quoted += *text;
        if (*text == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string FormatTip(const Tip& tip)
{
    std::string entry = QuoteTipText(tip.text);
    if (tip.context != 0)
        entry += ", " + std::to_string(tip.context);
    return entry;
}

std::vector<std::string> BuildTips()
{
    std::vector<std::string> entries;
    entries.reserve(std::size(Tips));
    for (const Tip& tip : Tips)
        entries.push_back(FormatTip(tip));
    return entries;
}

} // namespace

const std::vector<std::string>& MainWindowTips()
{
    static const std::vector<std::string> tips = BuildTips();
    return tips;
}

} // namespace quillary
