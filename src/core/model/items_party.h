// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "model/kpx_object.h"

#include <array>

namespace quillary {

// What organizations and persons share: five primary slots, each naming by title the child of
// its kind that serves as the primary address, phone, fax, e-mail address and website.
class TPartyObject : public TKPXObject
{
public:
    enum Slot { SlotAddress, SlotPhone, SlotFax, SlotEMail, SlotWebsite, SlotCount };
    static int SlotKind(Slot slot);
    // The title a primary detail made from a row of named fields gets ("Primary Phone").
    static std::string_view RowPrimaryTitle(Slot slot);

    TextView Primary(Slot slot) const { return OwnText(SlotText(slot)); }
    void SetPrimary(Slot slot, std::string_view title);
    // The child that a slot names, or none.
    TKPXObject* PrimaryChild(Slot slot) const;

    PopupEntries SetupPopup() const override;
    void SendMail(const std::string& attachment) override;
    void SendFax(const std::string& document) override;
    int Dial() override;
    void Browse() override;
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    // Other columns come from the primary details, the first that answers; "," when none does.
    std::string GetFieldText(std::string_view field) const override;

    // The dialog's contents for a new item (preset section titles) or for editing this one.
    PartyForm NewForm() const;
    PartyForm FormFromItem() const;
    // What the dialog applies on OK: names, title, comment, then each section updates the child
    // it names or makes a new one, and becomes primary.
    void ApplyForm(const PartyForm& form, EditMode mode);
    // Fills one section from the child of its kind titled as the section's title, when there is one.
    void LoadSection(Slot slot, PartyForm& form) const;
    // The titles the section's title box lists: detail children of the kind (websites: child nodes).
    std::vector<std::string> SectionTitles(Slot slot) const;

    // The comment and the slots' titles in one setting, as readers of other formats give them.
    void SetCommentAndPrimaries(std::string_view comment, const std::array<std::string, SlotCount>& primary);

protected:
    TPartyObject(ItemTree& tree, int kind, std::int32_t id);
    virtual void ApplyNames(const PartyForm&) {}
    // Makes the five primary details from the same row (the row's "Title" renamed for each) and
    // keeps those that accept it.
    void ReadPrimaries(FieldRecord& record);
    virtual void FillNames(PartyForm&) const {}
    // The slots are the first own texts of both kinds; in the detail line they stand last before
    // the categories.
    static constexpr std::size_t SlotText(int slot) { return FirstOwnText + static_cast<std::size_t>(slot); }
    static constexpr std::size_t AfterSlotTexts = FirstOwnText + std::size_t{SlotCount};
    std::array<TextView, SlotCount> Slots() const;

private:
    void ApplyAddress(const AddressForm& section, EditMode mode);
    void ApplyPhone(const PhoneForm& section);
    void ApplyFax(const FaxForm& section);
    void ApplyEMail(const EMailForm& section);
    void ApplyWebsite(const WebsiteForm& section);
};

class TOrgObject final : public TPartyObject
{
public:
    TOrgObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
               std::int32_t id, std::string_view details);
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;
    void WriteRecord(std::string& out, int level) const override;

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
};

class TPersonObject final : public TPartyObject
{
public:
    TPersonObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                  std::int32_t id, std::string_view details);

    TextView Salutation() const { return OwnText(SalutationText); }
    TextView FirstName() const { return OwnText(FirstNameText); }
    TextView MiddleName() const { return OwnText(MiddleNameText); }
    TextView LastName() const { return OwnText(LastNameText); }
    void SetNames(std::string_view salutation, std::string_view first, std::string_view middle, std::string_view last);
    // Where the person works and what as, and a name suffix ("Jr."): plain text, which moves
    // nothing in the tree. They follow the categories in the detail line, where a reader that
    // knows only the classic fields passes over them.
    TextView Company() const { return OwnText(CompanyText); }
    TextView JobTitle() const { return OwnText(JobTitleText); }
    TextView Suffix() const { return OwnText(SuffixText); }
    void SetWorkFields(std::string_view company, std::string_view jobTitle, std::string_view suffix);
    // Everything readers of other formats set on a person, in one setting.
    struct AllTexts
    {
        std::string_view title, target, comment;
        std::array<std::string, SlotCount> primary;
        std::string_view salutation, first, middle, last, company, jobTitle, suffix;
    };
    void SetAllTexts(const AllTexts& texts);

    void WriteRecord(std::string& out, int level) const override;
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;

protected:
    void ApplyNames(const PartyForm& form) override;
    void FillNames(PartyForm& form) const override;

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    enum : std::size_t {
        SalutationText = AfterSlotTexts,
        FirstNameText,
        MiddleNameText,
        LastNameText,
        CompanyText,
        JobTitleText,
        SuffixText
    };
    // Readers of other formats set the target, the comment, the slots, the names and the work
    // fields in one setting: they must lie side by side.
    static_assert(SalutationText == TargetText + 2 + SlotCount && SuffixText == TargetText + 13);
};

} // namespace quillary
