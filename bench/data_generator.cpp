// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_generator.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string_view>

namespace quillary::bench {

namespace {

// Name pools; several entries are longer than the small-string buffer, as real ones often are.
constexpr std::array<std::string_view, 32> FirstNames = {
    "Sam",      "Alexandra", "Bartholomew", "Chloe",     "Dmitri",      "Eleanor",    "Francesca", "Gregory",
    "Hannah",   "Ignatius",  "Jo",          "Katarina",  "Leopold",     "Maximilian", "Nadia",     "Oliver",
    "Penelope", "Quentin",   "Rosalind",    "Sebastian", "Theodora",    "Ulrich",     "Valentina", "Wilhelmina",
    "Xavier",   "Yolanda",   "Zachary",     "Ann",       "Christopher", "Guinevere",  "Ed",        "Marguerite"};
constexpr std::array<std::string_view, 32> LastNames = {
    "Person",         "Smith",          "Featherstone", "Nguyen",        "Okonkwo",     "Li",
    "Vandersloot",    "Papadopoulos",   "Kowalczyk",    "Fitzgerald",    "Ng",          "Abernathy",
    "Castellanos",    "Ivanova",        "Wilkes",       "Haraldsdottir", "Brown",       "Delacroix",
    "Oyelaran",       "Schwarzenegger", "Ota",          "Wainwright",    "MacAllister", "Rossi",
    "Thistlethwaite", "Yamamoto",       "Eriksson",     "Bellweather",   "Quigley",     "Zhang",
    "Achterberg",     "Lopez"};
constexpr std::array<std::string_view, 8> MiddleNames = {"", "", "", "J.", "Anne", "Marie", "Alexander", "R."};
constexpr std::array<std::string_view, 6> Salutations = {"Mr.", "Ms.", "Mrs.", "Dr.", "Prof.", "Mx."};
constexpr std::array<std::string_view, 12> Streets = {
    "High Street",   "Station Road",     "Church Lane",  "Elm Avenue",       "Harbour View Terrace", "Mill Road",
    "Queen's Drive", "Kingfisher Close", "Market Place", "Orchard Crescent", "Old Post Office Row",  "Bridge Street"};
constexpr std::array<std::string_view, 10> Cities = {"Springfield", "Riverton",          "Lakeside", "Fairview",
                                                     "Greenville",  "Westminster Park",  "Oakridge", "Millbrook",
                                                     "Port Ellery", "Ashford-under-Lyne"};
constexpr std::array<std::string_view, 8> States = {"IL", "CA", "NY", "TX", "WA", "Ontario", "Bavaria", "Kent"};
constexpr std::array<std::string_view, 6> Countries = {"", "", "USA", "Canada", "Germany", "United Kingdom"};
constexpr std::array<std::string_view, 12> CompanyWords = {"Acme",        "Northwind", "Bluebell",  "Granite",
                                                           "Harbourside", "Lumen",     "Meridian",  "Pinecrest",
                                                           "Quarry",      "Summit",    "Tidewater", "Wexford"};
constexpr std::array<std::string_view, 8> CompanyKinds = {"Trading Ltd.", "Consulting Group",  "Engineering",
                                                          "& Sons",       "Logistics Inc.",    "Design Studio",
                                                          "Bakery",       "Legal Partners LLP"};
constexpr std::array<std::string_view, 8> Comments = {"Met at the spring trade fair in Springfield",
                                                      "Prefers to be called in the mornings",
                                                      "Old friend from university",
                                                      "Ask about the quarterly delivery schedule before calling",
                                                      "",
                                                      "Neighbour",
                                                      "Referred by the accounting department",
                                                      "Sends a card every December"};
constexpr std::array<std::string_view, 8> FolderWords = {"Clients",          "Suppliers",          "Family",
                                                         "Friends",          "Colleagues",         "Club Members",
                                                         "Former Customers", "Conference Contacts"};

// What one person or organization's detail children and website are called.
struct ContactTitles
{
    std::string_view address, phone, secondPhone, fax, email, reminder, website;
};
constexpr ContactTitles PersonTitles = {"Home", "Office", "Mobile", "Office Fax", "E-Mail", "Birthday", "Homepage"};
constexpr ContactTitles OrgTitles = {"Head Office",     "Switchboard",      "Sales Desk",     "Office Fax",
                                     "Accounts E-Mail", "Contract Renewal", "Company Website"};

class DataGenerator
{
public:
    DataGenerator(std::ostream& out, int persons, std::uint32_t seed) : m_out(out), m_remaining(persons), m_rng(seed) {}

    void Write()
    {
        m_text += "{Params}\r\n";
        Head(0, 11, "My Contacts", "", "", 32892645);
        for (int region = 1; m_remaining > 0; ++region)
            Region(region);
        Flush();
    }

private:
    static constexpr std::size_t FlushSize = 1 << 20;

    std::uint32_t Below(std::uint32_t bound) { return m_rng() % bound; }
    template <typename Pool> std::string_view Pick(const Pool& pool) { return pool[Below(pool.size())]; }

    // Identifiers look random but never repeat: an odd multiplier permutes the 31-bit numbers.
    std::int32_t NextId() { return static_cast<std::int32_t>((++m_idCounter * 2654435761u) & 0x7fffffffu); }

    void Flush()
    {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

    void Head(int level, int kind, std::string_view title, std::string_view target, std::string_view comment,
              std::int32_t id)
    {
        m_text += '{';
        m_text += std::to_string(level);
        m_text += ' ';
        m_text += std::to_string(kind);
        m_text += " }";
        for (std::string_view field : {title, target, comment}) {
            m_text += field;
            m_text += "~~";
        }
        m_text += std::to_string(id);
        m_text += "\r\n";
    }

    void Detail(std::string_view tag, std::initializer_list<std::string_view> fields)
    {
        m_text += tag;
        bool first = true;
        for (std::string_view field : fields) {
            if (!first)
                m_text += "~~";
            m_text += field;
            first = false;
        }
        m_text += "\r\n";
    }

    // Most items have no categories; some have one or two.
    std::string Categories()
    {
        if (Below(5) != 0)
            return "0";
        const std::uint32_t one = 1u << Below(8);
        const std::uint32_t other = Below(2) ? 1u << Below(16) : 0u;
        return std::to_string(one | other);
    }

    void Folder(int level, const std::string& title)
    {
        Head(level, 0, title, "", "", NextId());
        Detail("{Fold}", {Categories()});
    }

    void Region(int region)
    {
        Folder(1, "Region " + std::to_string(region) + " - " + std::string(Pick(Cities)));
        for (int group = 1; group <= 4 && m_remaining > 0; ++group)
            Group(group);
    }

    // A folder holding persons directly, or two or three folders that do.
    void Group(int group)
    {
        Folder(2, std::string(Pick(FolderWords)) + " " + std::to_string(group));
        if (Below(3) == 0) {
            Members(3);
            return;
        }
        const std::uint32_t subfolders = 2 + Below(2);
        for (std::uint32_t sub = 0; sub < subfolders && m_remaining > 0; ++sub) {
            Folder(3, "Letters " + std::string(1, static_cast<char>('A' + 3 * sub)) + " to " +
                          std::string(1, static_cast<char>('C' + 3 * sub)));
            Members(4);
        }
    }

    void Members(int level)
    {
        const int count = std::min(m_remaining, static_cast<int>(50 + Below(151)));
        for (int i = 0; i < count; ++i) {
            if (i % 25 == 12)
                Organization(level);
            Person(level);
            if (m_text.size() >= FlushSize)
                Flush();
        }
        m_remaining -= count;
    }

    void Person(int level)
    {
        const std::string_view salutation = Pick(Salutations);
        const std::string_view first = Pick(FirstNames);
        const std::string_view middle = Pick(MiddleNames);
        const std::string_view last = Pick(LastNames);
        std::string title =
            Below(2) ? std::string(last) + ", " + std::string(first)
                     : std::string(first) + (middle.empty() ? "" : " ") + std::string(middle) + " " + std::string(last);
        const std::string target = std::string(salutation) + " " + std::string(first) + " " + std::string(last);
        Head(level, 3, title, target, Pick(Comments), NextId());
        const ContactTitles& t = PersonTitles;
        Detail("{Pers}",
               {salutation, first, middle, last, t.address, t.phone, t.fax, t.email, t.website, Categories()});
        ContactChildren(level + 1, t, Slug(first, last));
    }

    void Organization(int level)
    {
        const std::string_view word = Pick(CompanyWords);
        const std::string name = std::string(word) + " " + std::string(Pick(CompanyKinds));
        Head(level, 1, name, "", Pick(Comments), NextId());
        const ContactTitles& t = OrgTitles;
        Detail("{Orgn}", {t.address, t.phone, t.fax, t.email, t.website, Categories()});
        ContactChildren(level + 1, t, Slug(name, "co"));
    }

    // Lower-case letters and digits joined by dots, for mail and web addresses.
    static std::string Slug(std::string_view first, std::string_view second)
    {
        std::string slug;
        for (std::string_view part : {first, second}) {
            if (!slug.empty())
                slug += '.';
            for (char c : part)
                if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                    slug += c;
                else if (c >= 'A' && c <= 'Z')
                    slug += static_cast<char>(c - 'A' + 'a');
        }
        return slug;
    }

    // The detail children first and the website node last: the order in which a save writes them.
    void ContactChildren(int level, const ContactTitles& t, const std::string& slug)
    {
        Address(level, t.address);
        Phone(level, t.phone, Below(3) == 0 ? std::to_string(100 + Below(900)) : "");
        Phone(level, t.secondPhone, "");
        Head(level, 8, t.fax, PhoneNumber(), "", NextId());
        Detail("{Faxs}", {Categories()});
        Head(level, 7, t.email, slug + "@example.org", "", NextId());
        Detail("{Mail}", {Categories()});
        Reminder(level, t.reminder);
        Head(level, 4, t.website, "https://www.example.org/people/" + slug, "", NextId());
        Detail("{Webs}", {Categories()});
    }

    // Random draws stand in separate statements: the operands of + may be evaluated in any order.
    std::string PhoneNumber()
    {
        const std::uint32_t exchange = 200 + Below(800);
        return "+1 " + std::to_string(exchange) + " 555 " + std::to_string(1000 + Below(9000));
    }

    void Address(int level, std::string_view title)
    {
        const std::uint32_t houseNumber = 1 + Below(250);
        const std::string line1 = std::to_string(houseNumber) + " " + std::string(Pick(Streets));
        const std::string line2 = Below(4) == 0 ? "Flat " + std::to_string(1 + Below(40)) : "";
        const std::string postCode = std::to_string(10000 + Below(90000));
        Head(level, 5, title, line1, "", NextId());
        Detail("{Addr}", {line1, line2, "", Pick(Cities), Pick(States), postCode, Pick(Countries), Categories()});
    }

    void Phone(int level, std::string_view title, const std::string& extension)
    {
        Head(level, 6, title, PhoneNumber(), "", NextId());
        Detail("{Phon}", {extension, Categories()});
    }

    // Dates from 1950 to 2039, so some reminders are due and mark their owners and some are not.
    void Reminder(int level, std::string_view title)
    {
        const std::uint32_t year = 1950 + Below(90), month = 1 + Below(12), day = 1 + Below(28), rule = Below(6);
        const std::string shortDate = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
        const std::string asText =
            std::to_string(year) + "," + std::to_string(month) + "," + std::to_string(day) + "," + std::to_string(rule);
        Head(level, 9, title, shortDate, "", NextId());
        Detail("{Remd}", {asText, Categories()});
    }

    std::ostream& m_out;
    int m_remaining;
    std::mt19937 m_rng; // its output sequence is fixed by the standard, unlike the distributions
    std::uint32_t m_idCounter = 0;
    std::string m_text;
};

} // namespace

void WriteGeneratedData(std::ostream& out, int persons, std::uint32_t seed)
{
    DataGenerator(out, persons, seed).Write();
}

std::string GenerateDataText(int persons, std::uint32_t seed)
{
    std::ostringstream out;
    WriteGeneratedData(out, persons, seed);
    return std::move(out).str();
}

void WriteGoogleShapedCsv(std::ostream& out, int persons)
{
    out << "First Name,Last Name,Birthday,Notes,E-mail 1 - Label,E-mail 1 - Value,E-mail 2 - Label,"
           "E-mail 2 - Value,Phone 1 - Label,Phone 1 - Value,Address 1 - Label,Address 1 - Street,"
           "Address 1 - City,Address 1 - Postal Code,Address 1 - Country,Website 1 - Label,"
           "Website 1 - Value\r\n";
    for (int i = 0; i < persons; ++i) {
        const std::string n = std::to_string(i);
        out << "Given" << n << ",Family" << n << ",1980-0" << 1 + i % 9 << "-" << 10 + i % 19
            << ",\"Met at the fair, " << n << "\",* Home,home" << n << "@example.org,Work,work" << n
            << "@example.com,Mobile ::: Work,+1 555 " << n << " ::: +1 556 " << n << ",Home,\"" << n
            << " High Street\nFlat 2\",Springfield,12345,USA,Profile,https://example.org/" << n << "\r\n";
    }
}

} // namespace quillary::bench
