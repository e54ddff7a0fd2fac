// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/owned_list.h"
#include "common/text_pack.h"
#include "model/detail_fields.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class ItemTree;
struct FieldRecord;
class TreeNode;
struct ItemServices;

// The entries of the item list's pop-up that items show or hide, in menu order.
enum PopupEntry { PopupOpen, PopupSendMail, PopupSendFax, PopupDial, PopupBrowse, PopupAdvanceDate, PopupLaunch };
using PopupEntries = std::bitset<7>;

// One row of the item list: the item (its handle), its picture and, for child nodes, the node's
// due marker; texts are read from the item.
struct ListRow
{
    class TKPXObject* item;
    int image;
    int stateImage = -1;
};

// The base of every tree entry. Tree items (kinds 0 to 4) are held by their folder-tree node;
// detail items are held in their owner's Children list. Text fields pass through
// CleanFieldText, so nothing set here can break the record format.
class TKPXObject
{
public:
    virtual ~TKPXObject();
    TKPXObject(const TKPXObject&) = delete;
    TKPXObject& operator=(const TKPXObject&) = delete;
    // Items are made and freed in the shared block pool; delete finds the made item's size
    // through the virtual destructor.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    ItemTree& Tree() const;
    const ItemServices& Services() const;

    int GetKind() const { return static_cast<int>(m_place >> KindShift); }
    std::int32_t GetID() const { return m_id; }
    // A fresh identifier that no other item of the tree has, for an item that shares its
    // identifier with another one where identity matters (a synchronised address book).
    void DrawNewID();
    std::int32_t GetCategories() const { return m_categories; }
    void SetCategories(std::int32_t categories);
    // Texts read through views, valid until a text of the item is set.
    TextView GetTitle() const { return m_texts.Get(TitleText); }
    TextView GetTarget() const { return m_texts.Get(TargetText); }
    TextView GetComment() const { return m_texts.Get(CommentText); }
    // Asks for the texts to be brought near, for loops that read many items' texts in turn.
    void PrefetchTexts() const { m_texts.Prefetch(); }
    // Renames; the node follows when it still showed the old title, and its siblings are re-sorted.
    void SetTitle(std::string_view title);
    void SetTarget(std::string_view target);
    void SetComment(std::string_view comment);

    // Own node for tree items, the owner's node for detail items.
    TreeNode* GetTreeNode() const
    {
        return m_place & PlaceIsTree ? nullptr : reinterpret_cast<TreeNode*>(m_place & PlaceAddress);
    }
    void SetTreeNode(TreeNode* node);
    int GetFlagged() const { return m_place & PlaceFlagged ? 1 : 0; }
    // For a tree item, the flagged items at or below its node; 0 for details.
    int GetFlagCount() const;
    void SetFlag(int value);

    // Detail children, in insertion order.
    void AddChild(std::unique_ptr<TKPXObject> child);
    bool HasChildren() const { return !m_children.empty(); }
    int ChildCount() const { return static_cast<int>(m_children.size()); }
    TKPXObject* ChildAt(int index) const;
    TKPXObject* FindChild(std::string_view title, int kind) const;
    TKPXObject* FindByWord(std::string_view lowerText) const;
    void DeleteChild(TKPXObject* child);
    std::unique_ptr<TKPXObject> DetachChild(TKPXObject* child);
    std::vector<ListRow> FillList() const;

    // The item's own record at a level: head line, and the detail line where the kind has one.
    virtual int GetImageIndex() const;
    virtual void WriteRecord(std::string& out, int level) const;
    virtual PopupEntries SetupPopup() const;
    virtual int GetSelectedIndex() const;
    virtual bool EditNew(TreeNode& node);
    virtual void OpenDefault();
    virtual void EditProperties() = 0;
    virtual void SendMail(const std::string& attachment);
    virtual void SendFax(const std::string& document);
    virtual int Dial();
    virtual void Browse();
    virtual void AdvanceDate();
    virtual void Launch();
    virtual std::string GetPlainText() const;
    // Named fields of a delimited text row: reading a row into a new item (true when the row is
    // accepted) and answering one column on export ("\"value\"," or empty for unknown fields).
    virtual bool ReadFields(FieldRecord& record);
    virtual std::string GetFieldText(std::string_view field) const;
    // Whether the index of a published site lists the item.
    virtual bool ListInIndex() const;

    // Places the record at level 1 under the private format, and the plain text, on the clipboard.
    void CopyToClipboard() const;

protected:
    // The item's texts in one pack: the three every item has, then each kind's own, numbered
    // from FirstOwnText.
    enum : std::size_t { TitleText, TargetText, CommentText, FirstOwnText };
    // A record's head texts, kept by the kind's constructor until it has read its detail line:
    // then they go into the pack with the kind's own, which is built once, not twice, for each
    // item of a file.
    struct HeadTexts
    {
        std::string_view title, target, comment;
    };
    // Made with no texts: the kind's constructor goes on to ReadDetails, which sets them.
    TKPXObject(ItemTree& tree, int kind, std::int32_t id);
    // Reads the detail line of a record, storing the head's texts with the kind's own
    // (SetRecordTexts); called once, by the constructor.
    virtual void ReadDetails(const HeadTexts& head, std::string_view line) = 0;
    // Sets the head's texts, and own from index first on (fields between them empty), in one go.
    // own are fields of fields, whose line vouches for them when it can (DetailFields::Clean).
    void SetRecordTexts(const HeadTexts& head, const DetailFields& fields, std::size_t first,
                        std::initializer_list<std::string_view> own);
    void SetRecordTexts(const HeadTexts& head);
    TextView OwnText(std::size_t index) const { return m_texts.Get(index); }
    // Every text field in one reading, numbered as for OwnText: for writers of most of them.
    std::array<TextView, TextPack::MostTexts> OwnTexts() const
    {
        std::array<TextView, TextPack::MostTexts> texts;
        m_texts.GetAll(texts);
        return texts;
    }
    // Sets texts from index first on, made safe to store, in one go; by itself no change of the tree.
    void SetOwnTexts(std::size_t first, std::span<const std::string_view> texts);
    void SetOwnTexts(std::size_t first, std::initializer_list<std::string_view> texts)
    {
        SetOwnTexts(first, std::span(texts.begin(), texts.size()));
    }
    void SetOwnText(std::size_t index, std::string_view text) { SetOwnTexts(index, std::span(&text, 1)); }
    // The same, where a different target or comment among them counts as a change of the tree, as
    // SetTarget and SetComment count it: readers of other formats set their fields in one go.
    void ChangeTexts(std::size_t first, std::span<const std::string_view> texts);
    void ChangeTexts(std::size_t first, std::initializer_list<std::string_view> texts)
    {
        ChangeTexts(first, std::span(texts.begin(), texts.size()));
    }
    // SetTitle for the title and the texts after it, set in one go: texts.front() is the title.
    void SetTitleAndTexts(std::initializer_list<std::string_view> texts);
    void WriteHead(std::string& out, int level) const;
    // Appends CR LF, the type tag and the fields joined by "~~".
    static void AppendDetailLine(std::string& out, std::string_view tag,
                                 std::initializer_list<std::string_view> fields);
    // Splits a detail line that starts with tag; none when the tag differs.
    static bool SplitDetails(std::string_view line, std::string_view tag, DetailFields& fields);
    // Reads the categories from the field after `expected` text fields, or 0 when it is missing.
    void ReadCategories(const DetailFields& fields, std::size_t expected);
    // For the kinds whose detail line holds only the categories, right after the tag.
    void ReadCategoriesLine(std::string_view line, std::string_view tag);
    void AppendCategoriesLine(std::string& out, std::string_view tag) const;
    std::string CategoriesText() const { return std::to_string(m_categories); }
    // Ways back from a dialog: always through SetTitle, so the node and the sibling order follow.
    // It counts as a change of the tree, whatever fields the dialog touched.
    void ApplyCommon(std::string_view title, std::string_view target, std::string_view comment);

private:
    friend class CategoriesWithheld;
    friend class TPlainObject; // keeps its detail line verbatim, not cleaned as a field
    // Sets one of the three common texts; a different value counts as a change of the tree.
    void ChangeText(std::size_t index, std::string_view value);
    void StoreTexts(std::size_t first, std::span<const std::string_view> texts, bool commonCounts);
    // Marks the tree changed when one of the common texts among texts differs from the item's.
    void MarkChangedCommon(std::size_t first, std::span<const std::string_view> texts);

    // The item's node when it has one, else its tree (told apart by PlaceIsTree), its flag and, in
    // the top byte, its kind, in one word: items are the most numerous objects of a tree, and
    // addresses of user space on Linux leave the top byte and the low bits unused.
    static constexpr std::uintptr_t PlaceIsTree = 1;
    static constexpr std::uintptr_t PlaceFlagged = 2;
    static constexpr int KindShift = 56;
    static constexpr std::uintptr_t PlaceAddress = ((std::uintptr_t{1} << KindShift) - 1) & ~std::uintptr_t{7};
    static_assert(sizeof(std::uintptr_t) == 8, "the kind is kept in the top byte of an address");
    // Sets the node, or the tree when there is no node, keeping the kind and the flag.
    void SetPlace(const void* address, bool isTree);
    std::uintptr_t m_place;
    TextPack m_texts;
    // Most items are details without children of their own, whose list holds no block.
    OwnedList<TKPXObject> m_children;
    std::int32_t m_categories = 0;
    std::int32_t m_id;
};

// Shows an item's categories as 0 while it lives, for writing tree items into an interchange file
// (they go without their categories). Nothing about the item changes, so the tree does not count it.
class CategoriesWithheld
{
public:
    explicit CategoriesWithheld(TKPXObject& item);
    ~CategoriesWithheld();
    CategoriesWithheld(const CategoriesWithheld&) = delete;
    CategoriesWithheld& operator=(const CategoriesWithheld&) = delete;

private:
    TKPXObject& m_item;
    std::int32_t m_categories;
};

// The plain item: the root, and kinds above 12 from files written by other means. Those keep the
// detail line they were read with and write it back unchanged, so nothing read is lost.
class TPlainObject final : public TKPXObject
{
public:
    TPlainObject(ItemTree& tree, int kind, std::string_view title, std::string_view target, std::string_view comment,
                 std::int32_t id, std::string_view details);
    void WriteRecord(std::string& out, int level) const override;
    void EditProperties() override {}

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    // The detail line as read.
    static constexpr std::size_t DetailsText = FirstOwnText;
};

bool IsEMailAddress(std::string_view text);

} // namespace quillary
