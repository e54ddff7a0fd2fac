// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillary {

// The kind byte selects an item's class, its type tag in files and whether it owns a folder-tree node.
enum ItemKind : std::uint8_t {
    KindFolder = 0,
    KindOrganization = 1,
    KindTeam = 2,
    KindPerson = 3,
    KindWebsite = 4,
    KindAddress = 5,
    KindPhone = 6,
    KindEMail = 7,
    KindFax = 8,
    KindReminder = 9,
    KindDocument = 10,
    KindRoot = 11,
    KindTool = 12,
};

// Kinds 0 to 4 own a node in the folder tree; all others live in their owner's detail list.
constexpr bool IsTreeKind(int kind)
{
    return kind >= KindFolder && kind <= KindWebsite;
}

// Pictures shared by the big and small image lists; documents and tools append their own after these.
enum ImageIndex : int {
    ImageSelectedFolder = 10,
    ImageDueReminder = 11,
    ImageRoot = 12,
    ImageNoIcon = 13,
};

// The six-character tag that opens a detail line, or empty for kinds without one.
std::string_view TypeTag(int kind);

// A short lower-case name for listings ("person", "phone", ...).
std::string_view KindName(int kind);

constexpr std::int32_t RootId = 32892645;
constexpr std::string_view RootTitle = "My Contacts";

} // namespace quillary
