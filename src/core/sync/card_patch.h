// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"
#include "model/category_names.h"
#include "sync/card_fields.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The card to upload: the server's last copy with the fields the tree holds replaced by the
// merged ones, line by line in its own order. Every other line (PHOTO, LOGO, GEO, IMPP, X-...,
// UID) stays as the server had it, and so does a tree-held line whose value the tree left as it
// was (with parameters the tree cannot hold). A changed line keeps its place, group, parameters
// and kind of value ("tel:" URI or text), and a note its line breaks outside the changed text;
// only what the tree added comes in the tree's form, at the end. server is the server's copy,
// serverFields what the tree makes of it; a new card starts from its UID line alone and no
// fields. An organization that the server's card does not mark as one gets the mark of the
// version ("3.0" or "4.0"). Changed categories are written by the slots' names, and the names of
// the server's CATEGORIES that no slot carries stay.
std::vector<CardLine> PatchCard(const std::vector<CardLine>& server, const CardFields& serverFields,
                                const CardFields& merged, std::string_view version, const CategoryNames& slots);

// The version a patched card goes back in: the server card's own, so that another client's card
// keeps it; a new card, or one of another version, takes the account's.
std::string PatchVersion(std::string_view serverCard, std::string_view accountVersion);

} // namespace quillary
