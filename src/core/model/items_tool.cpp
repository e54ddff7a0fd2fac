// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_tool.h"

#include "common/command_text.h"
#include "common/path_text.h"
#include "model/field_text.h"
#include "model/item_forms.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

namespace quillary {

TToolObject::TToolObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                         std::int32_t id, std::string_view details)
    : TKPXObject(tree, KindTool, id), m_iconIndex(ImageNoIcon)
{
    ReadDetails({title, target, comment}, details);
    m_iconIndex = Services().tools->ImageIndexForProgram(ToolProgram()).value_or(ImageNoIcon);
}

void TToolObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    DetailFields fields;
    if (SplitDetails(line, TypeTag(KindTool), fields)) {
        SetRecordTexts(head, fields, ProgramText, {fields[0], fields.size() > 1 ? fields[1] : std::string_view{}});
        ReadCategories(fields, 2);
    } else {
        SetRecordTexts(head);
    }
}

void TToolObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    AppendDetailLine(out, TypeTag(KindTool), {ToolProgram(), ToolParameters(), CategoriesText()});
}

bool TToolObject::EditWith(EditMode mode)
{
    ToolForm form{GetTitle(), mode == EditMode::New ? std::string() : GetTarget(),
                  mode == EditMode::New ? std::string() : GetComment(), m_iconIndex};
    if (!Services().dialogs->EditTool(*this, form, mode) || form.title.empty())
        return false;
    ApplyCommon(form.title, form.address, form.comment);
    return true;
}

bool TToolObject::EditNew(TreeNode&)
{
    return EditWith(EditMode::New);
}

void TToolObject::EditProperties()
{
    EditWith(EditMode::Properties);
}

void TToolObject::Launch()
{
    // The target is one argument, whatever blanks or quotes it holds.
    const std::string parameters = ToolParameters() + " " + QuoteArgument(GetTarget());
    Services().shell->Open(ToolProgram(), parameters.size() < 2 ? std::string() : parameters, ExtractFilePath(ToolProgram()));
}

} // namespace quillary
