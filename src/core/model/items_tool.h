// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "model/kpx_object.h"

namespace quillary {

// One of the configured tools applied to a target address (Target).
class TToolObject final : public TKPXObject
{
public:
    TToolObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                std::int32_t id, std::string_view details);

    TextView ToolProgram() const { return OwnText(ProgramText); }
    TextView ToolParameters() const { return OwnText(ParametersText); }
    int IconIndex() const { return m_iconIndex; }

    int GetImageIndex() const override { return m_iconIndex; }
    void WriteRecord(std::string& out, int level) const override;
    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupLaunch); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { Launch(); }
    // The fixed parameters first and the target last, in the program's own folder.
    void Launch() override;

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    bool EditWith(EditMode mode);

    enum : std::size_t { ProgramText = FirstOwnText, ParametersText };
    int m_iconIndex;
};

} // namespace quillary
