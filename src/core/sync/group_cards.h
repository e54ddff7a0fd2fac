// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"

#include <string>
#include <vector>

namespace quillary {

// Group cards, as Apple's and Nextcloud's clients keep groups: "KIND:group" with MEMBER lines in
// 4.0, "X-ADDRESSBOOKSERVER-KIND:group" with X-ADDRESSBOOKSERVER-MEMBER lines in 3.0. Members
// are named by the UIDs of their cards, mostly as "urn:uuid:" addresses.

bool IsGroupCard(const std::vector<CardLine>& lines);

// The group's name: its FN, unescaped and trimmed.
std::string GroupName(const std::vector<CardLine>& lines);

// The UIDs of the members, "urn:uuid:" taken away, each once, in the card's order.
std::vector<std::string> GroupMembers(const std::vector<CardLine>& lines);

// A UID as members name it: without "urn:uuid:".
std::string MemberUid(std::string_view uid);

// The card with exactly these members: those it lists stay in their places, lines of members
// gone are left out, new ones follow the last member line (or the end) in the card's own form.
std::vector<CardLine> WithGroupMembers(const std::vector<CardLine>& lines, const std::vector<std::string>& members);

} // namespace quillary
