// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/kpx_object.h"

#include "common/ascii_case.h"
#include "common/block_pool.h"
#include "links/web_link.h"
#include "model/category_filter.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <iterator>
#include <utility>

namespace quillary {

TKPXObject::TKPXObject(ItemTree& tree, int kind, std::int32_t id)
    : m_place(static_cast<std::uintptr_t>(static_cast<std::uint8_t>(kind)) << KindShift), m_id(id)
{
    static_assert(sizeof(TKPXObject) <= 40);
    SetPlace(&tree, true);
    tree.Ids().Add(m_id);
}

TKPXObject::~TKPXObject()
{
    SetFlag(0);
    Tree().Ids().Remove(m_id);
}

void* TKPXObject::operator new(std::size_t size)
{
    static_assert(alignof(TKPXObject) <= BlockPool::Grain);
    return BlockPool::Shared().Allocate(size);
}

void TKPXObject::operator delete(void* block, std::size_t size) noexcept
{
    BlockPool::Shared().Free(block, size);
}

const ItemServices& TKPXObject::Services() const
{
    return Tree().Services();
}

void TKPXObject::SetTitle(std::string_view title)
{
    SetTitleAndTexts({title});
}

void TKPXObject::SetTitleAndTexts(std::initializer_list<std::string_view> texts)
{
    // Only the item's own node follows: a detail item's node belongs to its owner, even when
    // the owner's label happens to read the same.
    TreeNode* node = GetTreeNode();
    const bool labelFollows = node && node->Data() == this && node->Text() == GetTitle();
    ChangeTexts(TitleText, texts);
    if (!node)
        return;
    if (labelFollows)
        Tree().SetNodeText(*node, GetTitle());
    // The title is taken first, so the siblings sort by the new one.
    if (node->Parent())
        Tree().SortChildren(*node->Parent());
}

void TKPXObject::SetTarget(std::string_view target)
{
    ChangeText(TargetText, target);
}

void TKPXObject::SetComment(std::string_view comment)
{
    ChangeText(CommentText, comment);
}

void TKPXObject::DrawNewID()
{
    const std::int32_t id = Tree().Ids().Draw();
    Tree().Ids().Remove(m_id);
    Tree().Ids().Add(id);
    m_id = id;
    Tree().MarkChanged();
}

void TKPXObject::SetCategories(std::int32_t categories)
{
    if (categories != m_categories)
        Tree().MarkChanged();
    m_categories = categories;
}

void TKPXObject::ChangeText(std::size_t index, std::string_view value)
{
    ChangeTexts(index, std::span(&value, 1));
}

void TKPXObject::SetOwnTexts(std::size_t first, std::span<const std::string_view> texts)
{
    StoreTexts(first, texts, false);
}

void TKPXObject::SetRecordTexts(const HeadTexts& head)
{
    SetOwnTexts(TitleText, {head.title, head.target, head.comment});
}

void TKPXObject::SetRecordTexts(const HeadTexts& head, const DetailFields& fields, std::size_t first,
                                std::initializer_list<std::string_view> own)
{
    assert(first >= FirstOwnText && first + own.size() <= TextPack::MostTexts);
    // Only the texts given are written, once each: this runs for every item of a file.
    union Room
    {
        Room() {}
        std::string_view texts[TextPack::MostTexts];
    } room;
    std::string_view* texts = room.texts;
    texts[TitleText] = head.title;
    texts[TargetText] = head.target;
    texts[CommentText] = head.comment;
    std::fill(texts + FirstOwnText, texts + first, std::string_view());
    std::copy(own.begin(), own.end(), texts + first);
    const std::span<const std::string_view> all(texts, first + own.size());
    if (fields.Clean() && IsCleanFieldText(head.title) && IsCleanFieldText(head.target) &&
        IsCleanFieldText(head.comment))
        m_texts.Set(TitleText, all);
    else
        SetOwnTexts(TitleText, all);
}

void TKPXObject::ChangeTexts(std::size_t first, std::span<const std::string_view> texts)
{
    StoreTexts(first, texts, true);
}

void TKPXObject::StoreTexts(std::size_t first, std::span<const std::string_view> texts, bool commonCounts)
{
    // Texts are nearly always clean already, and are then stored with no copy made on the way.
    if (std::all_of(texts.begin(), texts.end(), IsCleanFieldText)) {
        if (commonCounts)
            MarkChangedCommon(first, texts);
        m_texts.Set(first, texts);
        return;
    }
    std::vector<std::string> cleaned;
    cleaned.reserve(texts.size());
    std::transform(texts.begin(), texts.end(), std::back_inserter(cleaned), CleanFieldText);
    const std::vector<std::string_view> views(cleaned.begin(), cleaned.end());
    if (commonCounts)
        MarkChangedCommon(first, views);
    m_texts.Set(first, views);
}

void TKPXObject::MarkChangedCommon(std::size_t first, std::span<const std::string_view> texts)
{
    for (std::size_t index = first; index < FirstOwnText && index - first < texts.size(); ++index)
        if (m_texts.Get(index) != texts[index - first]) {
            Tree().MarkChanged();
            return;
        }
}

void TKPXObject::SetFlag(int value)
{
    int step = 0;
    if (!GetFlagged() && value == 1)
        step = 1;
    else if (GetFlagged() && value == 0)
        step = -1;
    if (step == 0)
        return;
    Tree().ShiftFlagCounts(GetTreeNode(), step);
    m_place ^= PlaceFlagged;
}

int TKPXObject::GetFlagCount() const
{
    const TreeNode* node = GetTreeNode();
    return node && node->Data() == this ? node->FlagCount() : 0;
}

ItemTree& TKPXObject::Tree() const
{
    if (m_place & PlaceIsTree)
        return *reinterpret_cast<ItemTree*>(m_place & PlaceAddress);
    return GetTreeNode()->Tree();
}

void TKPXObject::SetPlace(const void* address, bool isTree)
{
    const auto bits = reinterpret_cast<std::uintptr_t>(address);
    assert((bits & ~PlaceAddress) == 0);
    m_place = (m_place & ~(PlaceAddress | PlaceIsTree)) | bits | (isTree ? PlaceIsTree : 0);
}

void TKPXObject::SetTreeNode(TreeNode* node)
{
    ItemTree& tree = Tree();
    assert(!node || &node->Tree() == &tree); // an item stays in the tree that counts its identifier
    if (GetFlagged())
        tree.ShiftFlagCounts(GetTreeNode(), -1);
    if (node)
        SetPlace(node, false);
    else
        SetPlace(&tree, true);
    if (GetFlagged())
        tree.ShiftFlagCounts(GetTreeNode(), +1);
}

void TKPXObject::AddChild(std::unique_ptr<TKPXObject> child)
{
    m_children.push_back(std::move(child));
    Tree().MarkChanged();
    if (GetTreeNode())
        Tree().NotifyDetailsChanged(*GetTreeNode());
}

TKPXObject* TKPXObject::ChildAt(int index) const
{
    return index >= 0 && index < ChildCount() ? m_children[static_cast<std::size_t>(index)] : nullptr;
}

TKPXObject* TKPXObject::FindChild(std::string_view title, int kind) const
{
    if (title.empty())
        return nullptr;
    for (TKPXObject* child : m_children)
        if (child->GetKind() == kind && child->GetTitle() == title)
            return child;
    if (const TreeNode* node = GetTreeNode()) {
        for (int i = 0; i < node->ChildCount(); ++i) {
            TKPXObject* item = node->ChildAt(i)->Data();
            if (item && item->GetKind() == kind && item->GetTitle() == title)
                return item;
        }
    }
    return nullptr;
}

namespace {
// Whether the first occurrence of lowerText in title (compared lower-cased) starts a word.
bool FirstOccurrenceStartsWord(std::string_view title, std::string_view lowerText)
{
    const auto equal = [](char a, char b) { return AsciiLower(a) == b; };
    const auto it = std::search(title.begin(), title.end(), lowerText.begin(), lowerText.end(), equal);
    if (it == title.end())
        return false;
    return it == title.begin() || *(it - 1) == ' ';
}
} // namespace

TKPXObject* TKPXObject::FindByWord(std::string_view lowerText) const
{
    for (TKPXObject* child : m_children)
        if (FirstOccurrenceStartsWord(child->GetTitle(), lowerText))
            return child;
    return nullptr;
}

void TKPXObject::DeleteChild(TKPXObject* child)
{
    DetachChild(child).reset();
}

std::unique_ptr<TKPXObject> TKPXObject::DetachChild(TKPXObject* child)
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return nullptr;
    std::unique_ptr<TKPXObject> detached = m_children.take(static_cast<std::size_t>(it - m_children.begin()));
    Tree().MarkChanged();
    if (GetTreeNode())
        Tree().NotifyDetailsChanged(*GetTreeNode());
    return detached;
}

std::vector<ListRow> TKPXObject::FillList() const
{
    std::vector<ListRow> rows;
    rows.reserve(m_children.size());
    for (TKPXObject* child : m_children)
        if (!IsFilteredOut(*child))
            rows.push_back({child, child->GetImageIndex()});
    return rows;
}

int TKPXObject::GetImageIndex() const
{
    return GetKind();
}

int TKPXObject::GetSelectedIndex() const
{
    return GetKind() == KindFolder ? static_cast<int>(ImageSelectedFolder) : GetKind();
}

void TKPXObject::WriteHead(std::string& out, int level) const
{
    std::array<char, 16> number{};
    out += '{';
    out.append(number.data(), std::to_chars(number.begin(), number.end(), level).ptr);
    out += ' ';
    out.append(number.data(), std::to_chars(number.begin(), number.end(), GetKind()).ptr);
    out += " }";
    out += GetTitle();
    out += FieldSeparator;
    out += GetTarget();
    out += FieldSeparator;
    out += GetComment();
    out += FieldSeparator;
    out.append(number.data(), std::to_chars(number.begin(), number.end(), m_id).ptr);
}

void TKPXObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
}

void TKPXObject::AppendDetailLine(std::string& out, std::string_view tag,
                                  std::initializer_list<std::string_view> fields)
{
    out += "\r\n";
    out += tag;
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            out += FieldSeparator;
        out += field;
        first = false;
    }
}

bool TKPXObject::SplitDetails(std::string_view line, std::string_view tag, DetailFields& fields)
{
    if (!line.starts_with(tag))
        return false;
    fields.Split(line.substr(tag.size()));
    return true;
}

void TKPXObject::ReadCategories(const DetailFields& fields, std::size_t expected)
{
    m_categories = fields.size() > expected ? ParseLenientInt(fields[expected]) : 0;
}

void TKPXObject::ReadCategoriesLine(std::string_view line, std::string_view tag)
{
    DetailFields fields;
    if (SplitDetails(line, tag, fields))
        ReadCategories(fields, 0);
}

void TKPXObject::AppendCategoriesLine(std::string& out, std::string_view tag) const
{
    out += "\r\n";
    out += tag;
    out += CategoriesText();
}

CategoriesWithheld::CategoriesWithheld(TKPXObject& item) : m_item(item), m_categories(item.m_categories)
{
    item.m_categories = 0;
}

CategoriesWithheld::~CategoriesWithheld()
{
    m_item.m_categories = m_categories;
}

void TKPXObject::ApplyCommon(std::string_view title, std::string_view target, std::string_view comment)
{
    // An accepted dialog may have changed fields of the kind's own, which have no setter that counts.
    Tree().MarkChanged();
    SetTitle(title);
    SetTarget(target);
    SetComment(comment);
}

PopupEntries TKPXObject::SetupPopup() const
{
    return PopupEntries().set(PopupOpen);
}

bool TKPXObject::EditNew(TreeNode& node)
{
    Services().view->StartLabelEdit(node);
    return true;
}

void TKPXObject::OpenDefault()
{
    if (GetTreeNode())
        Services().view->SelectNode(*GetTreeNode());
}

void TKPXObject::SendMail(const std::string&) {}
void TKPXObject::SendFax(const std::string&) {}
int TKPXObject::Dial()
{
    return 0;
}
void TKPXObject::Browse() {}
void TKPXObject::AdvanceDate() {}
void TKPXObject::Launch() {}

std::string TKPXObject::GetPlainText() const
{
    return GetTarget();
}

bool TKPXObject::ReadFields(FieldRecord&)
{
    return false;
}

std::string TKPXObject::GetFieldText(std::string_view) const
{
    return {};
}

void TKPXObject::CopyToClipboard() const
{
    std::string record;
    WriteRecord(record, 1);
    Services().clipboard->SetItemRecord(record, GetPlainText());
}

TPlainObject::TPlainObject(ItemTree& tree, int kind, std::string_view title, std::string_view target,
                           std::string_view comment, std::int32_t id, std::string_view details)
    : TKPXObject(tree, kind, id)
{
    ReadDetails({title, target, comment}, details);
}

void TPlainObject::ReadDetails(const HeadTexts& head, std::string_view line)
{
    SetRecordTexts(head);
    if (GetKind() != KindRoot)
        m_texts.Set(DetailsText, CleanLineText(line));
}

void TPlainObject::WriteRecord(std::string& out, int level) const
{
    WriteHead(out, level);
    if (GetKind() != KindRoot) {
        out += "\r\n";
        out += OwnText(DetailsText);
    }
}

bool TKPXObject::ListInIndex() const
{
    return true;
}

bool IsEMailAddress(std::string_view text)
{
    return text.find('@') != std::string_view::npos;
}

} // namespace quillary
