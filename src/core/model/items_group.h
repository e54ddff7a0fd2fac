// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tag_only_object.h"

namespace quillary {

// Folders and teams group other items and add no fields of their own. A new one is named by
// editing its label in place; its properties dialog accepts anything, an empty title included.
class TGroupObject : public TTagOnlyObject
{
public:
    TGroupObject(ItemTree& tree, int kind, std::string_view title, std::string_view target, std::string_view comment,
                 std::int32_t id, std::string_view details);

    void EditProperties() override;
};

class TFolderObject final : public TGroupObject
{
public:
    TFolderObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                  std::int32_t id, std::string_view details);
};

class TTeamObject final : public TGroupObject
{
public:
    TTeamObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                std::int32_t id, std::string_view details);
};

} // namespace quillary
