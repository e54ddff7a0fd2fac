// SPDX-License-Identifier: GPL-3.0-or-later
#include "automation/automation_members.h"

#include <algorithm>

namespace quillary {

namespace {
constexpr AutomationMember Members[] = {
    {"Insert", DispInsert, MemberKind::Method},
    {"CopyClipboard", DispCopyClipboard, MemberKind::Method},
    {"DoDefaultAction", DispDoDefaultAction, MemberKind::Method},
    {"zelkID", DispZelkID, MemberKind::ReadOnlyProperty},
    {"zelkClass", DispZelkClass, MemberKind::ReadOnlyProperty},
    {"zelkTitle", DispZelkTitle, MemberKind::ReadWriteProperty},
    {"zelkTarget", DispZelkTarget, MemberKind::ReadWriteProperty},
    {"zelkComment", DispZelkComment, MemberKind::ReadWriteProperty},
    {"zelkField", DispZelkField, MemberKind::ReadWriteIndexedProperty},
    {"ItemCount", DispItemCount, MemberKind::ReadOnlyProperty},
    {"Items", DispItems, MemberKind::ReadOnlyIndexedProperty},
    {"CurrentItemIndex", DispCurrentItemIndex, MemberKind::ReadOnlyProperty},
    {"NextSiblingIndex", DispNextSiblingIndex, MemberKind::ReadOnlyProperty},
    {"ChildCount", DispChildCount, MemberKind::ReadOnlyProperty},
    {"Child", DispChild, MemberKind::ReadOnlyIndexedProperty},
    {"SelectCount", DispSelectCount, MemberKind::ReadOnlyProperty},
    {"UserSelected", DispUserSelected, MemberKind::ReadOnlyIndexedProperty},
    {"NextItemWithTitle", DispNextItemWithTitle, MemberKind::ReadOnlyIndexedProperty},
    {"ItemWithId", DispItemWithId, MemberKind::ReadOnlyIndexedProperty},
};
} // namespace

std::span<const AutomationMember> AutomationMembers()
{
    return Members;
}

const AutomationMember* FindAutomationMember(std::string_view name)
{
    const auto it =
        std::find_if(std::begin(Members), std::end(Members), [&](const AutomationMember& m) { return m.name == name; });
    return it == std::end(Members) ? nullptr : &*it;
}

} // namespace quillary
