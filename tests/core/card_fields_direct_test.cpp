// SPDX-License-Identifier: GPL-3.0-or-later
// The fields synchronisation compares, for items and for server cards of many shapes: what the
// tree would hold of each, written as the card it would upload.
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_mapping.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace quillary;

namespace {
// Every field with every line it carries, in one text a failure shows whole.
std::string Described(const CardFields& fields)
{
    std::string text = fields.organization ? "org\n" : "";
    for (const auto& [name, single] : fields.singles)
        text.append(name).append("=").append(single.value).append(" <").append(single.line.Text()).append(">\n");
    for (const auto& [name, elements] : fields.sets)
        for (const CardElement& element : elements) {
            text.append(name).append("#").append(element.key);
            for (const CardLine& line : element.lines)
                text.append(" <").append(line.Text()).append(">");
            text.append("\n");
        }
    return text;
}

std::string ItemFields(const TPartyObject& item, const std::string& version)
{
    return Described(LocalFields(item, version, {}));
}

std::string CardFieldsOf(const std::string& card, const std::string& version)
{
    return Described(ServerFields(card, version, {}));
}

TPersonObject& Person(TreeNode& parent, const std::string& title, const std::vector<std::string>& names)
{
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, title, "", "", parent, "", 0));
    person.SetNames(names[0], names[1], names[2], names[3]);
    return person;
}

void Detail(TPartyObject& party, int kind, const std::string& title, const std::string& target,
            const std::string& details = "")
{
    CreateItem(kind, title, target, "", *party.GetTreeNode(), details, 0);
}

struct ItemCase
{
    const char* what;
    std::function<TPartyObject&(TreeNode&)> make;
    const char* v30;
    const char* v40;
};

struct CardCase
{
    const char* what;
    const char* card;
    const char* v30;
    const char* v40;
};

const ItemCase ItemCases[] = {
    {"a person with a preferred phone and an e-mail address",
     [](TreeNode& folder) -> TPartyObject& {
         TPersonObject& bob = Person(folder, "Bob Roe", {"", "Bob", "", "Roe"});
         Detail(bob, KindPhone, "Work", "+1 555 0100", "{Phon}~~0");
         Detail(bob, KindEMail, "Home", "bob@example.org");
         bob.SetPrimary(TPartyObject::SlotPhone, "Work");
         return bob;
     },
     "FN=Bob Roe <FN:Bob Roe>\n"
     "N=Roe;Bob;;; <N:Roe;Bob;;;>\n"
     "EMAIL#HOME;INTERNET;PREF;|bob@example.org|X-ABLABEL=Home <item1.EMAIL;TYPE=HOME,PREF,INTERNET:bob@example.org> <item1.X-ABLabel:Home>\n"
     "TEL#PREF;WORK;|+1 555 0100|X-ABLABEL=Work <item2.TEL;TYPE=WORK,PREF:+1 555 0100> <item2.X-ABLabel:Work>\n",
     "FN=Bob Roe <FN:Bob Roe>\n"
     "N=Roe;Bob;;; <N:Roe;Bob;;;>\n"
     "EMAIL#HOME;PREF;|bob@example.org|X-ABLABEL=Home <item1.EMAIL;TYPE=home;PREF=1:bob@example.org> <item1.X-ABLabel:Home>\n"
     "TEL#PREF;WORK;|+1 555 0100|X-ABLABEL=Work <item2.TEL;TYPE=work;PREF=1:+1 555 0100> <item2.X-ABLabel:Work>\n"},
    {"a person named only by a title, nothing preferred, an untitled phone, a fax and odd e-mail",
     [](TreeNode& folder) -> TPartyObject& {
         TPersonObject& ann = Person(folder, "Ann", {"", "", "", ""});
         Detail(ann, KindPhone, "", "555 0101", "{Phon}~~0");
         Detail(ann, KindPhone, "Mobile", "555 0102", "{Phon}~~0");
         Detail(ann, KindFax, "Office", "555 0103");
         Detail(ann, KindEMail, "Summer house", "x400:abc");
         Detail(ann, KindWebsite, "Blog", "http://ann.example.org");
         ann.SetComment("likes; commas, and \\ slashes");
         return ann;
     },
     "FN=Ann <FN:Ann>\n"
     "N=;;;; <N:;;;;>\n"
     "NOTE=likes\\; commas\\, and \\\\ slashes <NOTE:likes\\; commas\\, and \\\\ slashes>\n"
     "EMAIL#PREF;|x400:abc|X-ABLABEL=Summer house <item1.EMAIL;TYPE=PREF:x400:abc> <item1.X-ABLabel:Summer house>\n"
     "TEL#PREF;|555 0101|X-ABLABEL=Phone <item2.TEL;TYPE=PREF:555 0101> <item2.X-ABLabel:Phone>\n"
     "TEL#CELL;|555 0102|X-ABLABEL=Mobile <item3.TEL;TYPE=CELL:555 0102> <item3.X-ABLabel:Mobile>\n"
     "TEL#FAX;PREF;WORK;|555 0103|X-ABLABEL=Office <item4.TEL;TYPE=WORK,PREF,FAX:555 0103> <item4.X-ABLabel:Office>\n"
     "URL#PREF;|http://ann.example.org|X-ABLABEL=Blog <item5.URL;TYPE=PREF:http://ann.example.org> <item5.X-ABLabel:Blog>\n",
     "FN=Ann <FN:Ann>\n"
     "N=;;;; <N:;;;;>\n"
     "NOTE=likes\\; commas\\, and \\\\ slashes <NOTE:likes\\; commas\\, and \\\\ slashes>\n"
     "EMAIL#PREF;|x400:abc|X-ABLABEL=Summer house <item1.EMAIL;PREF=1:x400:abc> <item1.X-ABLabel:Summer house>\n"
     "TEL#PREF;|555 0101|X-ABLABEL=Phone <item2.TEL;PREF=1:555 0101> <item2.X-ABLabel:Phone>\n"
     "TEL#CELL;|555 0102|X-ABLABEL=Mobile <item3.TEL;TYPE=cell:555 0102> <item3.X-ABLabel:Mobile>\n"
     "TEL#FAX;PREF;WORK;|555 0103|X-ABLABEL=Office <item4.TEL;TYPE=work,fax;PREF=1:555 0103> <item4.X-ABLabel:Office>\n"
     "URL#PREF;|http://ann.example.org|X-ABLABEL=Blog <item5.URL;PREF=1:http://ann.example.org> <item5.X-ABLabel:Blog>\n"},
    {"a person with a company of two parts, a job, a suffix, an extension and an address",
     [](TreeNode& folder) -> TPartyObject& {
         TPersonObject& cy = Person(folder, "Dr. Cy Poe", {"Dr.", "Cy", "Q", "Poe"});
         cy.SetWorkFields("Acme;Labs", "Chief, Tester", "Jr.");
         Detail(cy, KindPhone, "Work,Voice", "555 0104", "{Phon}12~~0");
         Detail(cy, KindAddress, "Home", "1 High Street", "{Addr}1 High Street~~Flat 2~~Rear~~Town~~ST~~12345~~Land~~0");
         Detail(cy, KindAddress, "Work", "", "{Addr}~~~~Back~~~~~~~~~~0");
         cy.SetPrimary(TPartyObject::SlotAddress, "Work");
         CreateItem(KindReminder, "Birthday", "", "", *cy.GetTreeNode(), "{Remd}1985,4,12,2~~0", 0);
         CreateItem(KindReminder, "Anniversary", "", "", *cy.GetTreeNode(), "{Remd}2010,6,20,2~~0", 0);
         return cy;
     },
     "ANNIVERSARY=2010-06-20 <X-ANNIVERSARY:2010-06-20>\n"
     "BDAY=1985-04-12 <BDAY:1985-04-12>\n"
     "FN=Dr. Cy Poe <FN:Dr. Cy Poe>\n"
     "N=Poe;Cy;Q;Dr.;Jr. <N:Poe;Cy;Q;Dr.;Jr.>\n"
     "ORG=Acme\\;Labs <ORG:Acme\\;Labs>\n"
     "TITLE=Chief\\, Tester <TITLE:Chief\\, Tester>\n"
     "ADR#HOME;|;Flat 2\\nRear;1 High Street;Town;ST;12345;Land <ADR;TYPE=HOME:;Flat 2\\nRear;1 High Street;Town;ST;12345;Land>\n"
     "ADR#PREF;WORK;|;Back;;;;;|X-ABLABEL=Work <item1.ADR;TYPE=WORK,PREF:;Back;;;;;> <item1.X-ABLabel:Work>\n"
     "TEL#PREF;VOICE;WORK;|555 0104 ext 12|X-ABLABEL=Work\\,Voice <item2.TEL;TYPE=WORK,PREF,VOICE:555 0104 ext 12> <item2.X-ABLabel:Work\\,Voice>\n",
     "ANNIVERSARY=20100620 <ANNIVERSARY:20100620>\n"
     "BDAY=19850412 <BDAY:19850412>\n"
     "FN=Dr. Cy Poe <FN:Dr. Cy Poe>\n"
     "N=Poe;Cy;Q;Dr.;Jr. <N:Poe;Cy;Q;Dr.;Jr.>\n"
     "ORG=Acme\\;Labs <ORG:Acme\\;Labs>\n"
     "TITLE=Chief\\, Tester <TITLE:Chief\\, Tester>\n"
     "ADR#HOME;|;Flat 2\\nRear;1 High Street;Town;ST;12345;Land <ADR;TYPE=home:;Flat 2\\nRear;1 High Street;Town;ST;12345;Land>\n"
     "ADR#PREF;WORK;|;Back;;;;;|X-ABLABEL=Work <item1.ADR;TYPE=work;PREF=1:;Back;;;;;> <item1.X-ABLabel:Work>\n"
     "TEL#PREF;VALUE=URI;VOICE;WORK;|tel:555%200104;ext=12|X-ABLABEL=Work\\,Voice <item2.TEL;VALUE=uri;TYPE=work,voice;PREF=1:tel:555%200104;ext=12> <item2.X-ABLabel:Work\\,Voice>\n"},
    {"a person below an organization and a team, with no company of its own",
     [](TreeNode& folder) -> TPartyObject& {
         TKPXObject& acme = *CreateItem(KindOrganization, "Acme", "", "", folder, "", 0);
         TKPXObject& sales = *CreateItem(KindTeam, "Sales", "", "", *acme.GetTreeNode(), "", 0);
         return Person(*sales.GetTreeNode(), "Di Lu", {"", "Di", "", "Lu"});
     },
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "ORG=Acme;Sales <ORG:Acme;Sales>\n",
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "ORG=Acme;Sales <ORG:Acme;Sales>\n"},
    {"an organization with a semicolon in its title, a birthday its card leaves out and two e-mails of one title",
     [](TreeNode& folder) -> TPartyObject& {
         auto& org = static_cast<TPartyObject&>(*CreateItem(KindOrganization, "Acme; Ltd", "", "", folder, "", 0));
         Detail(org, KindEMail, "Sales", "sales@acme.example");
         Detail(org, KindEMail, "Sales", "more@acme.example");
         org.SetPrimary(TPartyObject::SlotEMail, "Sales");
         CreateItem(KindReminder, "Birthday", "", "", *org.GetTreeNode(), "{Remd}2000,2,29,2~~0", 0);
         return org;
     },
     "org\n"
     "FN=Acme\\; Ltd <FN:Acme\\; Ltd>\n"
     "N=Acme\\; Ltd <N:Acme\\; Ltd>\n"
     "ORG=Acme\\; Ltd <ORG:Acme\\; Ltd>\n"
     "EMAIL#INTERNET;PREF;|sales@acme.example|X-ABLABEL=Sales <item1.EMAIL;TYPE=PREF,INTERNET:sales@acme.example> <item1.X-ABLabel:Sales>\n"
     "EMAIL#INTERNET;|more@acme.example|X-ABLABEL=Sales <item2.EMAIL;TYPE=INTERNET:more@acme.example> <item2.X-ABLabel:Sales>\n",
     "org\n"
     "FN=Acme\\; Ltd <FN:Acme\\; Ltd>\n"
     "N=Acme\\; Ltd <N:Acme\\; Ltd>\n"
     "ORG=Acme\\; Ltd <ORG:Acme\\; Ltd>\n"
     "EMAIL#PREF;|sales@acme.example|X-ABLABEL=Sales <item1.EMAIL;PREF=1:sales@acme.example> <item1.X-ABLabel:Sales>\n"
     "EMAIL#|more@acme.example|X-ABLABEL=Sales <item2.EMAIL:more@acme.example> <item2.X-ABLabel:Sales>\n"},
    {"a person whose details read back otherwise: URIs, a label in an address book's own form, odd bytes",
     [](TreeNode& folder) -> TPartyObject& {
         TPersonObject& eve = Person(folder, " ", {"", "", "", ""});
         eve.SetTarget("Eve Target");
         Detail(eve, KindEMail, "Home", "mailto:eve@example.org");
         Detail(eve, KindWebsite, "Write", "mailto:web@example.org");
         Detail(eve, KindPhone, "_$!<Mobile>!$_", "tel:+1-555-0600", "{Phon}~~0");
         Detail(eve, KindAddress, "", "", "{Addr}~~~~~~~~~~~~~~0");
         eve.SetComment("caf\xe9 owner");
         return eve;
     },
     "FN=Eve Target <FN:Eve Target>\n"
     "N=;;;; <N:;;;;>\n"
     "NOTE=caf\xc3""\xa9"" owner <NOTE:caf\xc3""\xa9"" owner>\n"
     "ADR#PREF;|;;;;;;|X-ABLABEL=Address <item1.ADR;TYPE=PREF:;;;;;;> <item1.X-ABLabel:Address>\n"
     "EMAIL#HOME;INTERNET;PREF;|eve@example.org|X-ABLABEL=Home <item2.EMAIL;TYPE=HOME,PREF,INTERNET:eve@example.org> <item2.X-ABLabel:Home>\n"
     "EMAIL#INTERNET;|web@example.org|X-ABLABEL=Write <item3.EMAIL;TYPE=INTERNET:web@example.org> <item3.X-ABLabel:Write>\n"
     "TEL#CELL;PREF;|+1-555-0600|X-ABLABEL=Mobile <item4.TEL;TYPE=PREF,CELL:+1-555-0600> <item4.X-ABLabel:Mobile>\n",
     "FN=Eve Target <FN:Eve Target>\n"
     "N=;;;; <N:;;;;>\n"
     "NOTE=caf\xc3""\xa9"" owner <NOTE:caf\xc3""\xa9"" owner>\n"
     "ADR#PREF;|;;;;;;|X-ABLABEL=Address <item1.ADR;PREF=1:;;;;;;> <item1.X-ABLabel:Address>\n"
     "EMAIL#HOME;PREF;|eve@example.org|X-ABLABEL=Home <item2.EMAIL;TYPE=home;PREF=1:eve@example.org> <item2.X-ABLabel:Home>\n"
     "EMAIL#|web@example.org|X-ABLABEL=Write <item3.EMAIL:web@example.org> <item3.X-ABLabel:Write>\n"
     "TEL#CELL;PREF;|+1-555-0600|X-ABLABEL=Mobile <item4.TEL;TYPE=cell;PREF=1:+1-555-0600> <item4.X-ABLabel:Mobile>\n"},
};

const CardCase CardCases[] = {
    {"an address book's 3.0 card with labels, a company mark and lines the tree cannot hold",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Other//EN\r\nN:Roe;Bob;Q;Mr.;Jr.\r\nFN:Bob Roe\r\n"
     "ORG:Acme;Sales\r\nTITLE:Boss\r\nX-ABShowAs:COMPANY\r\nitem1.TEL:555 0200\r\n"
     "item1.X-ABLabel:_$!<Mobile>!$_\r\nTEL;TYPE=CELL,pref:555 0201\r\nEMAIL;type=INTERNET;type=WORK:bob@roe.example\r\n"
     "ADR;TYPE=HOME:;Flat 2\\nRear;1 High St;Town;ST;12345;Land\r\nNOTE:line one\\nline two\\, with\\; marks\r\n"
     "BDAY:1985-04-12\r\nX-ANNIVERSARY:2010-06-20\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\nUID:bob-uid\r\nEND:VCARD\r\n",
     "org\n"
     "FN=Acme <FN:Acme>\n"
     "N=Acme <N:Acme>\n"
     "NOTE=line one line two\\, with\\; marks <NOTE:line one line two\\, with\\; marks>\n"
     "ORG=Acme <ORG:Acme>\n"
     "ADR#HOME;PREF;|;Flat 2\\nRear;1 High St;Town;ST;12345;Land|X-ABLABEL=Home <item1.ADR;TYPE=HOME,PREF:;Flat 2\\nRear;1 High St;Town;ST;12345;Land> <item1.X-ABLabel:Home>\n"
     "EMAIL#INTERNET;PREF;WORK;|bob@roe.example|X-ABLABEL=Office\\,Internet <item2.EMAIL;TYPE=WORK,PREF,INTERNET:bob@roe.example> <item2.X-ABLabel:Office\\,Internet>\n"
     "TEL#CELL;|555 0200|X-ABLABEL=Mobile <item3.TEL;TYPE=CELL:555 0200> <item3.X-ABLabel:Mobile>\n"
     "TEL#CELL;PREF;|555 0201 <TEL;TYPE=PREF,CELL:555 0201>\n",
     "org\n"
     "FN=Acme <FN:Acme>\n"
     "N=Acme <N:Acme>\n"
     "NOTE=line one line two\\, with\\; marks <NOTE:line one line two\\, with\\; marks>\n"
     "ORG=Acme <ORG:Acme>\n"
     "ADR#HOME;PREF;|;Flat 2\\nRear;1 High St;Town;ST;12345;Land|X-ABLABEL=Home <item1.ADR;TYPE=home;PREF=1:;Flat 2\\nRear;1 High St;Town;ST;12345;Land> <item1.X-ABLabel:Home>\n"
     "EMAIL#PREF;WORK;|bob@roe.example|X-ABLABEL=Office\\,Internet <item2.EMAIL;TYPE=work;PREF=1:bob@roe.example> <item2.X-ABLabel:Office\\,Internet>\n"
     "TEL#CELL;|555 0200|X-ABLABEL=Mobile <item3.TEL;TYPE=cell:555 0200> <item3.X-ABLabel:Mobile>\n"
     "TEL#CELL;PREF;|555 0201 <TEL;TYPE=cell;PREF=1:555 0201>\n"},
    {"a 4.0 organization with a URI phone, a preferred e-mail, two websites and a folded name",
     "BEGIN:VCARD\nVERSION:4.0\nKIND:org\nFN:Acme Wi\n dgets\nORG:Acme Widgets\n"
     "TEL;VALUE=uri;TYPE=work:tel:+1-555-0300;ext=12\nEMAIL;PREF=1:info@acme.example\nEMAIL:sales@acme.example\n"
     "URL:http://acme.example\nURL;TYPE=work:http://shop.acme.example\nANNIVERSARY:20100620\nEND:VCARD\n",
     "org\n"
     "FN=Acme Widgets <FN:Acme Widgets>\n"
     "N=Acme Widgets <N:Acme Widgets>\n"
     "ORG=Acme Widgets <ORG:Acme Widgets>\n"
     "EMAIL#INTERNET;PREF;|info@acme.example|X-ABLABEL=Preferred <item1.EMAIL;TYPE=PREF,INTERNET:info@acme.example> <item1.X-ABLabel:Preferred>\n"
     "EMAIL#INTERNET;|sales@acme.example|X-ABLABEL=E-Mail <item2.EMAIL;TYPE=INTERNET:sales@acme.example> <item2.X-ABLabel:E-Mail>\n"
     "TEL#PREF;WORK;|+1-555-0300 ext 12|X-ABLABEL=Office <item3.TEL;TYPE=WORK,PREF:+1-555-0300 ext 12> <item3.X-ABLabel:Office>\n"
     "URL#PREF;|http://acme.example <URL;TYPE=PREF:http://acme.example>\n"
     "URL#|http://shop.acme.example <URL:http://shop.acme.example>\n",
     "org\n"
     "FN=Acme Widgets <FN:Acme Widgets>\n"
     "N=Acme Widgets <N:Acme Widgets>\n"
     "ORG=Acme Widgets <ORG:Acme Widgets>\n"
     "EMAIL#PREF;|info@acme.example <EMAIL;PREF=1:info@acme.example>\n"
     "EMAIL#|sales@acme.example <EMAIL:sales@acme.example>\n"
     "TEL#PREF;VALUE=URI;WORK;|tel:+1-555-0300;ext=12|X-ABLABEL=Office <item1.TEL;VALUE=uri;TYPE=work;PREF=1:tel:+1-555-0300;ext=12> <item1.X-ABLabel:Office>\n"
     "URL#PREF;|http://acme.example <URL;PREF=1:http://acme.example>\n"
     "URL#|http://shop.acme.example <URL:http://shop.acme.example>\n"},
    {"a card with only N, two notes, lower-case names and quoted parameters",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nn:Lu;Di;;;\r\nnote:first\r\nNOTE:second\r\n"
     "tel;type=home:555 0400\r\nADR;LABEL=\"1 Main St: here\";TYPE=work:;;1 Main St;Town;;;\r\n"
     "X-FOO;X-P=\"a:b\":value\r\nEND:VCARD\r\n",
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "NOTE=first second <NOTE:first second>\n"
     "ADR#PREF;WORK;|;;1 Main St;Town;;;|X-ABLABEL=Office <item1.ADR;TYPE=WORK,PREF:;;1 Main St;Town;;;> <item1.X-ABLabel:Office>\n"
     "TEL#HOME;PREF;|555 0400|X-ABLABEL=Home <item2.TEL;TYPE=HOME,PREF:555 0400> <item2.X-ABLabel:Home>\n",
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "NOTE=first second <NOTE:first second>\n"
     "ADR#PREF;WORK;|;;1 Main St;Town;;;|X-ABLABEL=Office <item1.ADR;TYPE=work;PREF=1:;;1 Main St;Town;;;> <item1.X-ABLabel:Office>\n"
     "TEL#HOME;PREF;|555 0400|X-ABLABEL=Home <item2.TEL;TYPE=home;PREF=1:555 0400> <item2.X-ABLabel:Home>\n"},
    {"a card without lines", "BEGIN:VCARD\r\nVERSION:4.0\r\nEND:VCARD\r\n", 
     "FN=   <FN:  >\n"
     "N=;;;; <N:;;;;>\n",
     "FN=   <FN:  >\n"
     "N=;;;; <N:;;;;>\n"},
    {"no card at all", "hello", 
     "FN= <FN:>\n"
     "N=;;;; <N:;;;;>\n",
     "FN= <FN:>\n"
     "N=;;;; <N:;;;;>\n"},
    {"a 2.1 card", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;John\r\nTEL;WORK;VOICE:555 0500\r\nEND:VCARD\r\n", 
     "FN=John Doe <FN:John Doe>\n"
     "N=Doe;John;;; <N:Doe;John;;;>\n"
     "TEL#PREF;VOICE;WORK;|555 0500|X-ABLABEL=Office\\,Voice Line <item1.TEL;TYPE=WORK,PREF,VOICE:555 0500> <item1.X-ABLabel:Office\\,Voice Line>\n",
     "FN=John Doe <FN:John Doe>\n"
     "N=Doe;John;;; <N:Doe;John;;;>\n"
     "TEL#PREF;VOICE;WORK;|555 0500|X-ABLABEL=Office\\,Voice Line <item1.TEL;TYPE=work,voice;PREF=1:555 0500> <item1.X-ABLabel:Office\\,Voice Line>\n"},
    {"a card in Windows-1252", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jos\xe9 Ruiz\r\nN:Ruiz;Jos\xe9;;;\r\nEND:VCARD\r\n",
     "FN=Jos\xc3""\xa9"" Ruiz <FN:Jos\xc3""\xa9"" Ruiz>\n"
     "N=Ruiz;Jos\xc3""\xa9"";;; <N:Ruiz;Jos\xc3""\xa9"";;;>\n",
     "FN=Jos\xc3""\xa9"" Ruiz <FN:Jos\xc3""\xa9"" Ruiz>\n"
     "N=Ruiz;Jos\xc3""\xa9"";;; <N:Ruiz;Jos\xc3""\xa9"";;;>\n"},
    {"a card whose dates the tree cannot read",
     "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Eve\r\nBDAY:circa 1980\r\nANNIVERSARY:20101340\r\nEND:VCARD\r\n", 
     "FN=Eve <FN:Eve>\n"
     "N=;;;; <N:;;;;>\n",
     "FN=Eve <FN:Eve>\n"
     "N=;;;; <N:;;;;>\n"},
    {"an organization without ORG (named by FN), and an address of many lines",
     "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:org\r\nFN:Nameless\r\n"
     "ADR:Box 9;Unit 1\\nUnit 2;1 Road\\nCorner;Town;;;\r\nEND:VCARD\r\n",
     "org\n"
     "FN=Nameless <FN:Nameless>\n"
     "N=Nameless <N:Nameless>\n"
     "ORG=Nameless <ORG:Nameless>\n"
     "ADR#PREF;|;Corner\\nUnit 1\\, Unit 2\\, Box 9;1 Road;Town;;;|X-ABLABEL=Address <item1.ADR;TYPE=PREF:;Corner\\nUnit 1\\, Unit 2\\, Box 9;1 Road;Town;;;> <item1.X-ABLabel:Address>\n",
     "org\n"
     "FN=Nameless <FN:Nameless>\n"
     "N=Nameless <N:Nameless>\n"
     "ORG=Nameless <ORG:Nameless>\n"
     "ADR#PREF;|;Corner\\nUnit 1\\, Unit 2\\, Box 9;1 Road;Town;;;|X-ABLABEL=Address <item1.ADR;PREF=1:;Corner\\nUnit 1\\, Unit 2\\, Box 9;1 Road;Town;;;> <item1.X-ABLabel:Address>\n"},
    {"a person with a blank formatted name and a group's companion lines",
     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lu;Di;;;\r\nFN: \r\nitem1.EMAIL;TYPE=INTERNET:di@lu.example\r\n"
     "item1.X-ABLabel:_$!<Other>!$_\r\nitem1.X-Extra:kept\r\nEND:VCARD\r\n",
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "EMAIL#INTERNET;PREF;|di@lu.example|X-ABLABEL=Other <item1.EMAIL;TYPE=PREF,INTERNET:di@lu.example> <item1.X-ABLabel:Other>\n",
     "FN=Di Lu <FN:Di Lu>\n"
     "N=Lu;Di;;; <N:Lu;Di;;;>\n"
     "EMAIL#PREF;|di@lu.example|X-ABLABEL=Other <item1.EMAIL;PREF=1:di@lu.example> <item1.X-ABLabel:Other>\n"},
};
} // namespace

TEST(CardFieldsDirect, ItemsGiveTheFieldsTheirCardsReadBackAs)
{
    for (const ItemCase& test : ItemCases) {
        ItemTree tree;
        TPartyObject& item = test.make(tree.Root());
        EXPECT_EQ(ItemFields(item, "3.0"), test.v30) << test.what << " (3.0)";
        EXPECT_EQ(ItemFields(item, "4.0"), test.v40) << test.what << " (4.0)";
    }
}

TEST(CardFieldsDirect, CardsGiveTheFieldsTheTreeHoldsOfThem)
{
    for (const CardCase& test : CardCases) {
        EXPECT_EQ(CardFieldsOf(test.card, "3.0"), test.v30) << test.what << " (3.0)";
        EXPECT_EQ(CardFieldsOf(test.card, "4.0"), test.v40) << test.what << " (4.0)";
    }
}
