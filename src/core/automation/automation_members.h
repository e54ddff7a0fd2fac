// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace quillary {

// The name under which other programs ask for a cursor, and its description.
constexpr std::string_view AutomationName = "Zelk.Application";
constexpr std::string_view AutomationDescription = "Quillary automation interface";

enum class MemberKind {
    Method,
    ReadOnlyProperty,
    ReadWriteProperty,
    ReadOnlyIndexedProperty,
    ReadWriteIndexedProperty,
};

// Dispatch identifiers clients may have bound to: they never change.
enum DispatchId : int {
    DispInsert = 1,
    DispCopyClipboard = 2,
    DispDoDefaultAction = 3,
    DispZelkID = 4,
    DispZelkClass = 5,
    DispZelkTitle = 6,
    DispZelkTarget = 7,
    DispZelkComment = 8,
    DispZelkField = 9,
    DispItemCount = 10,
    DispItems = 11,
    DispCurrentItemIndex = 12,
    DispNextSiblingIndex = 13,
    DispChildCount = 14,
    DispChild = 15,
    DispSelectCount = 16,
    DispUserSelected = 17,
    DispNextItemWithTitle = 18,
    DispItemWithId = 19,
};

struct AutomationMember
{
    std::string_view name;
    DispatchId dispid;
    MemberKind kind;
};

// Every member of the automation cursor, in dispatch identifier order.
std::span<const AutomationMember> AutomationMembers();
// The member of that exact name, or none.
const AutomationMember* FindAutomationMember(std::string_view name);

} // namespace quillary
