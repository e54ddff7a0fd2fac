// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_state.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "common/private_folders.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <random>
#include <sstream>

namespace quillary {

namespace {
constexpr std::string_view Header = "Quillary sync state 1";

std::string Hex(std::uint64_t value)
{
    char digits[17] = {};
    const auto end = std::to_chars(digits, digits + 16, value, 16).ptr;
    return std::string(static_cast<std::size_t>(16 - (end - digits)), '0') + std::string(digits, end);
}

// Words are separated by blanks: blanks, line ends and "%" inside a word are written as %XX.
std::string Word(std::string_view text)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out = text.empty() ? "%" : "";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == '%' || byte == 0x7F)
            out.append({'%', digits[byte >> 4], digits[byte & 15]});
        else
            out += c;
    }
    return out;
}

[[noreturn]] void Damaged(const std::string& problem)
{
    throw DamagedState{problem};
}

std::string Unword(std::string_view word)
{
    if (word == "%")
        return {};
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%') {
            out += word[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= word.size() ||
            std::from_chars(word.data() + i + 1, word.data() + i + 3, value, 16).ptr != word.data() + i + 3)
            Damaged("a damaged escape");
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

template <typename Number> Number NumberOf(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        Damaged("\"" + std::string(text) + "\" is no number");
    return value;
}

// Reads the text line by line, and card bodies by their length.
class StateReader
{
public:
    explicit StateReader(std::string_view text) : m_text(text) {}
    std::vector<std::string_view> Line()
    {
        const std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            Damaged("it ends in the middle");
        std::vector<std::string_view> words;
        std::string_view line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        while (!line.empty()) {
            const std::size_t blank = line.find(' ');
            words.push_back(line.substr(0, blank));
            line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        }
        return words;
    }
    std::string Bytes(std::size_t count)
    {
        if (m_text.size() - m_pos < count + 1 || m_text[m_pos + count] != '\n')
            Damaged("a card is cut short");
        std::string bytes(m_text.substr(m_pos, count));
        m_pos += count + 1;
        return bytes;
    }
    std::size_t Position() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

std::string_view Setting(StateReader& reader, std::string_view name)
{
    const auto words = reader.Line();
    if (words.size() != 2 || words[0] != name)
        Damaged("the line \"" + std::string(name) + "\" is missing");
    return words[1];
}

std::vector<std::int32_t> NodeOf(std::string_view text)
{
    std::vector<std::int32_t> ids;
    while (!text.empty() && text != "%") {
        const std::size_t slash = text.find('/');
        ids.push_back(NumberOf<std::int32_t>(text.substr(0, slash)));
        text = slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
    }
    return ids;
}

SyncedCard CardOf(StateReader& reader, const std::vector<std::string_view>& words)
{
    // The agreement digest came later: a state without it reads as one whose cards were never
    // found agreeing.
    if (words.size() != 6 && words.size() != 7)
        Damaged("a card line is damaged");
    SyncedCard card{NumberOf<std::int32_t>(words[1]), Unword(words[2]), Unword(words[3]), Unword(words[4]), {}};
    if (words.size() == 7)
        card.agreed = NumberOf<std::uint64_t>(words[6], 16);
    card.card = reader.Bytes(NumberOf<std::size_t>(words[5]));
    return card;
}
SyncedCard GroupOf(StateReader& reader, const std::vector<std::string_view>& words)
{
    if (words.size() != 5)
        Damaged("a group line is damaged");
    SyncedCard group{0, Unword(words[1]), Unword(words[2]), Unword(words[3]), {}};
    group.card = reader.Bytes(NumberOf<std::size_t>(words[4]));
    return group;
}
} // namespace

std::uint64_t TextChecksum(std::string_view text, std::uint64_t seed)
{
    std::uint64_t hash = seed; // FNV-1a
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

SyncedCard* SyncState::FindItem(std::int32_t itemId)
{
    const auto it = std::find_if(cards.begin(), cards.end(), [&](const SyncedCard& c) { return c.itemId == itemId; });
    return it == cards.end() ? nullptr : &*it;
}

SyncedCard* SyncState::FindHref(std::string_view href)
{
    const auto it = std::find_if(cards.begin(), cards.end(), [&](const SyncedCard& c) { return c.href == href; });
    return it == cards.end() ? nullptr : &*it;
}

std::string WriteSyncStateText(const SyncState& state)
{
    std::string node;
    for (const std::int32_t id : state.node)
        node += (node.empty() ? "" : "/") + std::to_string(id);
    std::string out = std::string(Header) + "\n";
    out += "url " + Word(state.url) + "\nbook " + Word(state.bookUrl) + "\nversion " + Word(state.version) +
           "\ntokens " + (state.syncTokens ? "1" : "0") + "\ntoken " + Word(state.syncToken) + "\nsalt " +
           Word(state.salt) + "\nnode " + Word(node) + "\n";
    for (const SyncedCard& card : state.cards) {
        out += "card " + std::to_string(card.itemId) + " " + Word(card.uid) + " " + Word(card.href) + " " +
               Word(card.etag) + " " + std::to_string(card.card.size()) + " " + Hex(card.agreed) + "\n";
        out += card.card + "\n";
    }
    for (const SyncedCard& group : state.groups) {
        out += "group " + Word(group.uid) + " " + Word(group.href) + " " + Word(group.etag) + " " +
               std::to_string(group.card.size()) + "\n";
        out += group.card + "\n";
    }
    return out + "end " + std::to_string(state.cards.size()) + " " + Hex(TextChecksum(out)) + "\n";
}

SyncState ReadSyncStateText(std::string_view text)
{
    StateReader reader(text);
    if (text.substr(0, Header.size() + 1) != std::string(Header) + "\n")
        Damaged("it is no sync state of this version");
    reader.Line();
    SyncState state;
    state.url = Unword(Setting(reader, "url"));
    state.bookUrl = Unword(Setting(reader, "book"));
    state.version = Unword(Setting(reader, "version"));
    state.syncTokens = Setting(reader, "tokens") == "1";
    state.syncToken = Unword(Setting(reader, "token"));
    state.salt = Unword(Setting(reader, "salt"));
    state.node = NodeOf(Unword(Setting(reader, "node")));
    for (;;) {
        const std::size_t lineStart = reader.Position();
        const auto words = reader.Line();
        if (!words.empty() && words[0] == "card") {
            state.cards.push_back(CardOf(reader, words));
            continue;
        }
        if (!words.empty() && words[0] == "group") {
            state.groups.push_back(GroupOf(reader, words));
            continue;
        }
        if (words.size() != 3 || words[0] != "end" || NumberOf<std::size_t>(words[1]) != state.cards.size() ||
            words[2] != Hex(TextChecksum(text.substr(0, lineStart))))
            Damaged("its closing line does not match its contents");
        if (reader.Position() != text.size())
            Damaged("it goes on after its closing line");
        return state;
    }
}

std::filesystem::path SyncStatePath(const std::filesystem::path& dataFile, std::string_view url)
{
    std::filesystem::path folder = dataFile;
    folder += ".sync";
    return folder / (Hex(TextChecksum(url)) + ".state");
}

std::optional<SyncState> LoadSyncState(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!(in && text << in.rdbuf()))
        throw FileError(path, "cannot read the synchronisation state");
    try {
        return ReadSyncStateText(text.str());
    } catch (const DamagedState& damage) {
        throw FileError(path, "the synchronisation state is damaged (" + damage.problem +
                                  "); nothing was synchronised. Move the file away to start over: the next run "
                                  "then pairs equal contacts and makes the others again on both sides");
    }
}

void SaveSyncState(const std::filesystem::path& path, const SyncState& state)
{
    CreatePrivateFolders(path.parent_path());
    const std::string text = WriteSyncStateText(state);
    WriteFileAtomically(path, [&](std::ostream& out) { out << text; });
}

std::string DrawSyncSalt()
{
    std::random_device random;
    const std::uint64_t value = (std::uint64_t{random()} << 32) ^ random();
    return Hex(value);
}

} // namespace quillary
