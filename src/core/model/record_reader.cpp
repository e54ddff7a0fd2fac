// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/record_reader.h"

#include "common/text_line_reader.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <optional>
#include <string>

namespace quillary {

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// A number of the head: blanks skipped, then a run of at most 32 characters that are neither
// blanks nor control characters, which must be a whole decimal number.
std::optional<long long> ReadHeadNumber(std::string_view line, std::size_t& pos)
{
    constexpr std::size_t MaxDigits = 32;
    while (pos < line.size() && IsBlankOrControl(line[pos]))
        ++pos;
    const std::size_t start = pos;
    // Nearly always a few plain digits: read on the way, the same number from_chars would make.
    long long digits = 0;
    while (pos < line.size() && pos - start < 10 && line[pos] >= '0' && line[pos] <= '9')
        digits = digits * 10 + (line[pos++] - '0');
    if (pos > start && (pos == line.size() || IsBlankOrControl(line[pos])))
        return digits <= INT32_MAX ? std::optional(digits) : std::nullopt;
    pos = start;
    while (pos < line.size() && pos - start < MaxDigits && !IsBlankOrControl(line[pos]))
        ++pos;
    std::string_view token = line.substr(start, pos - start);
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (token.empty() || error != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value;
}

struct Head
{
    int level;
    int kind;
    std::array<std::string_view, 4> fields;
};

// Splits the head's text into exactly four fields at "~~", without a vector per record.
bool SplitHeadFields(std::string_view text, std::array<std::string_view, 4>& fields)
{
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        const std::size_t pos = text.find(FieldSeparator);
        if (pos == std::string_view::npos)
            return false;
        fields[i] = text.substr(0, pos);
        text.remove_prefix(pos + FieldSeparator.size());
    }
    fields.back() = text;
    return text.find(FieldSeparator) == std::string_view::npos;
}

// "{level kind }title~~target~~comment~~id", or none when the line is no readable head.
std::optional<Head> ParseHead(std::string_view line)
{
    if (line.size() < 2 || line[0] != '{' || !(std::isdigit(static_cast<unsigned char>(line[1])) || line[1] == '-'))
        return std::nullopt;
    std::size_t pos = 1;
    const auto level = ReadHeadNumber(line, pos);
    const auto kind = level ? ReadHeadNumber(line, pos) : std::nullopt;
    if (!kind || pos + 2 > line.size() || line[pos + 1] != '}')
        return std::nullopt;
    Head head{static_cast<int>(*level), static_cast<int>(*kind & 0xFF), {}};
    if (!SplitHeadFields(line.substr(pos + 2), head.fields))
        return std::nullopt;
    return head;
}

} // namespace

class RecordReader
{
public:
    RecordReader(std::istream& in, TreeNode& target, ReadReport* report, int firstLine)
        : m_lines(in, LineEnds::LineFeed), m_number(firstLine), m_target(target), m_base(target.Depth()), m_level(m_base + 1),
          m_parent(&target), m_lastTreeItem(&target), m_report(report)
    {
    }

    // Takes records until count of them were taken or the stream ended; false at its end.
    bool ReadSome(int count)
    {
        if (!m_started) {
            m_started = true;
            m_haveLine = NextLine();
        }
        for (int taken = 0; m_haveLine && taken < count; ++m_number, ++taken) {
            const auto head = ParseHead(m_line);
            m_details = {};
            const bool haveDetails = head && head->kind != KindRoot && m_lines.Next(m_details);
            if (!head) {
                Skip(m_number);
            } else if (haveDetails && ParseHead(m_details)) {
                // No detail line can read as a head (a detail line starts with its tag): the
                // record lacks one, and the line is the next record, not to be lost.
                Take(*head, {});
                m_line.assign(m_details);
                continue;
            } else {
                Take(*head, m_details);
                m_number += haveDetails;
            }
            m_haveLine = NextLine();
        }
        return m_haveLine;
    }

private:
    // The head line is copied: reading the detail line after it may refill the reader's buffer.
    bool NextLine()
    {
        std::string_view line;
        if (!m_lines.Next(line))
            return false;
        m_line.assign(line);
        return true;
    }

    void Skip(int lineNumber)
    {
        if (m_report)
            m_report->skippedLines.push_back(lineNumber);
    }

    // A deeper level goes one step down, to the last tree item read, however large the jump;
    // a shallower one climbs, but never above the target. Levels the depth limit folded away are
    // climbed first, so the records after a deep run land where the file puts them.
    void PlaceAt(long long level)
    {
        if (level > m_level) {
            m_level = level;
            m_parent = m_lastTreeItem;
            m_folded = m_lastFolded;
        } else if (level < m_level) {
            long long climbs = m_level - level;
            const long long unfolded = std::min<long long>(climbs, m_folded);
            m_folded -= unfolded;
            climbs = std::min<long long>(climbs - unfolded, m_parent->Depth() - m_target.Depth());
            for (; climbs > 0; --climbs)
                m_parent = m_parent->Parent();
            m_level = level;
        }
    }

    void Take(const Head& head, std::string_view details)
    {
        // A level below 1 would climb above the target and take every later record inside it.
        PlaceAt(std::max(head.level, 1) + static_cast<long long>(m_base));
        TKPXObject* item = CreateItem(head.kind, head.fields[0], head.fields[1], head.fields[2], *m_parent, details,
                                      ParseLenientInt(head.fields[3]));
        if (item && IsTreeKind(head.kind))
            TakeTreeItem(*item->GetTreeNode());
        if (m_report)
            ++m_report->records;
    }

    // CreateItem hangs a node that would pass the depth limit higher up; the levels it was
    // lifted by are remembered for the climbs back.
    void TakeTreeItem(TreeNode& node)
    {
        m_lastTreeItem = &node;
        m_lastFolded = m_parent->Depth() + m_folded + 1 - node.Depth();
        if (node.Parent() != m_parent && m_report)
            ++m_report->placedAtDepthLimit;
    }

    TextLineReader m_lines;
    std::string m_line;
    std::string_view m_details;
    bool m_started = false;
    bool m_haveLine = false;
    int m_number;
    TreeNode& m_target;
    int m_base;
    long long m_level;
    TreeNode* m_parent;
    TreeNode* m_lastTreeItem;
    // How many levels deeper than in the tree the parent and the last tree item stand in the file.
    long long m_folded = 0;
    long long m_lastFolded = 0;
    ReadReport* m_report;
};

void ReadItems(std::istream& in, TreeNode& target, ReadReport* report, int firstLine)
{
    RecordSlices(in, target, report, firstLine).Next(INT_MAX);
}

RecordSlices::RecordSlices(std::istream& in, TreeNode& target, ReadReport* report, int firstLine)
    : m_ids(target.Tree().Ids()), m_reader(std::make_unique<RecordReader>(in, target, report, firstLine))
{
}

RecordSlices::~RecordSlices() = default;

bool RecordSlices::Next(int count)
{
    const bool more = m_reader->ReadSome(count);
    if (more)
        m_ids.Enter();
    return more;
}

} // namespace quillary
