// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/item_kind.h"

#include <array>

namespace quillary {

namespace {
constexpr std::array<std::string_view, 13> Tags = {"{Fold}", "{Orgn}", "{Team}", "{Pers}", "{Webs}", "{Addr}", "{Phon}",
                                                   "{Mail}", "{Faxs}", "{Remd}", "{Docs}", "",       "{Tool}"};
constexpr std::array<std::string_view, 13> Names = {"folder",   "organization", "team",   "person", "website",
                                                    "address",  "phone",        "e-mail", "fax",    "reminder",
                                                    "document", "root",         "tool"};
} // namespace

std::string_view TypeTag(int kind)
{
    return kind >= 0 && kind < static_cast<int>(Tags.size()) ? Tags[kind] : std::string_view{};
}

std::string_view KindName(int kind)
{
    return kind >= 0 && kind < static_cast<int>(Names.size()) ? Names[kind] : std::string_view{"item"};
}

} // namespace quillary
