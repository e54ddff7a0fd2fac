// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillary {

class ItemTree;
class TKPXObject;
class TreeNode;

// The records each report takes from a range of folder-tree nodes. Items hidden by the
// category filter are left out everywhere.

// A node and its subtree, as absolute indexes of the folder tree (inclusive).
struct NodeRange
{
    int first = 0;
    int last = -1;
};
NodeRange RangeOf(const TreeNode& node);

// The printed address of an item, from its field texts "Address Line 1" .. "Country": lines 1
// to 3 when not empty; City + ", " + State/Province (always, or only with a city); Postal Code
// + " " + Country (always).
enum class CityLine { Always, WhenCityGiven };
std::vector<std::string> AddressBlock(const TKPXObject& item, CityLine rule);

// The contact listing: each person or organization after the range's first node.
struct ListingRecord
{
    std::string name;
    std::vector<std::string> address; // the title, then the address block
    std::string phone;
    std::string fax;
    std::string email;
    std::string url;
};
class ListingSource
{
public:
    ListingSource(const ItemTree& tree, NodeRange range);
    bool Next(ListingRecord& record);

private:
    const ItemTree& m_tree;
    NodeRange m_range;
    int m_position;
};

// A (key, item) pair of the book, label and simple-list reports.
struct ReportEntry
{
    std::string key;
    const TKPXObject* item = nullptr;
};

// The address and phone book: persons ("Last, First Middle"), organizations (title), and the
// address and phone details of every other node (title), sorted by key ignoring case.
std::vector<ReportEntry> BookEntries(const ItemTree& tree, NodeRange range);
struct BookRecord
{
    bool newLetter = false; // the letter heading is printed before this entry
    std::string letter;     // the entry's first character
    std::string name;
    std::string phone;
    std::vector<std::string> memo; // the address block, or nothing
};
class BookSource
{
public:
    explicit BookSource(std::vector<ReportEntry> entries);
    bool Next(BookRecord& record);

private:
    std::vector<ReportEntry> m_entries;
    std::size_t m_next = 0;
    std::string m_letter;
};

// Labels: persons (composed name), organizations (title), addresses of other nodes (title), in
// tree order; a label is the key followed by the address block.
std::vector<ReportEntry> LabelEntries(const ItemTree& tree, NodeRange range);
std::vector<std::string> LabelLines(const ReportEntry& entry);

// Simple list: every node's item, then its detail children, in tree order; key = title.
std::vector<ReportEntry> SimpleEntries(const ItemTree& tree, NodeRange range);

// What a print command hands to the envelope: a person's primary address and composed name, an
// organization's primary address and title, an address item and its title; nothing otherwise.
struct DeliverySource
{
    const TKPXObject* address = nullptr;
    std::string name;
};
DeliverySource DeliverySourceOf(const TKPXObject& subject);

// The envelope's delivery lines for a name and an address item (none: no lines).
std::vector<std::string> DeliveryLines(const std::string& name, const TKPXObject* address);

} // namespace quillary
