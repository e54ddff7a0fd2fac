// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/card_unkept.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <string_view>

namespace quillary {

namespace {
struct Unkept
{
    std::string_view name; // a property name, or a prefix ending in "-"
    std::string_view noun; // empty: nothing is lost
};

// The names people's programs write, with what a reader of the summary calls them.
constexpr Unkept Names[] = {
    {"PHOTO", "photos"},
    {"X-MS-CARDPICTURE", "photos"},
    {"LOGO", "logos"},
    {"SOUND", "sounds"},
    {"GEO", "map positions"},
    {"IMPP", "instant messaging addresses"},
    {"X-AIM", "instant messaging addresses"},
    {"X-ICQ", "instant messaging addresses"},
    {"X-JABBER", "instant messaging addresses"},
    {"X-MSN", "instant messaging addresses"},
    {"X-YAHOO", "instant messaging addresses"},
    {"X-SKYPE", "instant messaging addresses"},
    {"X-SKYPE-USERNAME", "instant messaging addresses"},
    {"X-GOOGLE-TALK", "instant messaging addresses"},
    {"X-GTALK", "instant messaging addresses"},
    {"X-QQ", "instant messaging addresses"},
    {"X-GADUGADU", "instant messaging addresses"},
    {"NICKNAME", "nicknames"},
    {"ROLE", "roles"},
    {"TITLE", "job titles"}, // left only on an organization's card, or a second one
    {"ORG", "other organizations"},
    {"FN", "other names"},
    {"N", "other names"},
    {"KEY", "keys"},
    {"TZ", "time zones"},
    {"LANG", "languages"},
    {"GENDER", "genders"},
    {"RELATED", "related persons"},
    {"X-ABRELATEDNAMES", "related persons"},
    {"MEMBER", "group members"},
    {"FBURL", "calendar addresses"},
    {"CALURI", "calendar addresses"},
    {"CALADRURI", "calendar addresses"},
    {"X-SOCIALPROFILE", "social profiles"},
    {"X-ABDATE", "other dates"},
    {"BDAY", "second birthdays"},
    {"ANNIVERSARY", "second anniversaries"},
    {"X-ANNIVERSARY", "second anniversaries"},
    {"X-PHONETIC-", "phonetic names"},
    {"X-MAIDENNAME", "maiden names"},
    {"X-SPOUSE", "spouses' names"},
    {"X-ASSISTANT", "assistants' names"},
    {"X-MANAGER", "managers' names"},
    // What describes the card rather than the person, or repeats what is kept.
    {"VERSION", ""},
    {"PRODID", ""},
    {"REV", ""},
    {"UID", ""},
    {"KIND", ""},
    {"SOURCE", ""},
    {"NAME", ""},
    {"PROFILE", ""},
    {"CLIENTPIDMAP", ""},
    {"LABEL", ""},
    {"SORT-STRING", ""},
    {"CATEGORIES", ""},
    {"X-ABUID", ""},
    {"X-ABADR", ""},
    {"X-ABSHOWAS", ""},
    {"X-MS-OL-DEFAULT-POSTAL-ADDRESS", ""},
};

std::string NounOf(std::string_view name)
{
    for (const Unkept& unkept : Names) {
        const bool prefix = unkept.name.ends_with('-');
        if (prefix ? StartsWithNoCase(name, unkept.name) : EqualsNoCase(name, unkept.name))
            return std::string(unkept.noun);
    }
    return "\"" + UpperAscii(name) + "\" values";
}

void AddNoun(std::string_view name, std::vector<std::string>& nouns)
{
    std::string noun = name.empty() ? std::string() : NounOf(name);
    if (!noun.empty() && std::find(nouns.begin(), nouns.end(), noun) == nouns.end())
        nouns.push_back(std::move(noun));
}
} // namespace

std::vector<std::string> UnkeptKinds(const TCard& card)
{
    std::vector<std::string> nouns;
    for (const std::string& name : card.PassedOver())
        AddNoun(name, nouns);
    for (int i = 0; i < card.PropertyCount(); ++i)
        AddNoun(card.Properties(i).Name, nouns);
    return nouns;
}

} // namespace quillary
