// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tag_only_object.h"

namespace quillary {

// A file that is opened with its associated application; Target is the file name.
class TDocObject final : public TTagOnlyObject
{
public:
    TDocObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
               std::int32_t id, std::string_view details);

    int IconIndex() const { return m_iconIndex; }

    int GetImageIndex() const override { return m_iconIndex; }
    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupLaunch); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { Launch(); }
    void Launch() override;

private:
    bool EditWith(bool isNew);
    // Takes the file's icon again, keeping the document's place in the image lists.
    void RefreshIcon();

    int m_iconIndex;
};

} // namespace quillary
