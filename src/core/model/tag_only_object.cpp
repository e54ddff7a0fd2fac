// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tag_only_object.h"

#include "model/item_kind.h"

namespace quillary {

void TTagOnlyObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    SetRecordTexts(head);
    ReadCategoriesLine(line, TypeTag(GetKind()));
}

void TTagOnlyObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    AppendCategoriesLine(out, TypeTag(GetKind()));
}

} // namespace quillary
