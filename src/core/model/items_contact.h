// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "model/tag_only_object.h"

#include <array>

namespace quillary {

// The three lines an address keeps of lines: each made clean, padded with empty ones, and the
// non-empty lines past the third joined to it with ", ", since the data file keeps three.
std::array<std::string, 3> KeptAddressLines(const std::vector<std::string>& lines);

// A postal address: Target is its first line.
class TAddressObject final : public TKPXObject
{
public:
    TAddressObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                   std::int32_t id, std::string_view details);

    std::vector<std::string> Lines() const;
    TextView City() const { return OwnText(CityText); }
    TextView State() const { return OwnText(StateText); }
    TextView PostCode() const { return OwnText(PostCodeText); }
    TextView Country() const { return OwnText(CountryText); }
    // Replaces the lines: always three, padded with empty ones, and the non-empty lines past the
    // third joined to it with ", ", since the data file keeps three.
    void SetLines(const std::vector<std::string>& lines);
    void SetCity(std::string_view text);
    void SetState(std::string_view text);
    void SetPostCode(std::string_view text);
    void SetCountry(std::string_view text);
    // The lines as SetLines keeps them and the place, in one setting.
    void SetAddress(const std::vector<std::string>& lines, std::string_view city, std::string_view state,
                    std::string_view postCode, std::string_view country);

    void WriteRecord(std::string& out, int level) const override;
    PopupEntries SetupPopup() const override { return {}; }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    std::string GetPlainText() const override;
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;

    AddressForm ToForm() const;
    // Title, Target (the first line), Comment, the lines, City, State, PostCode and Country.
    void Apply(const AddressForm& form);

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    // The texts in the order of the detail line.
    enum : std::size_t { FirstLineText = FirstOwnText, CityText = FirstLineText + 3, StateText, PostCodeText, CountryText };
    TextView Line(std::size_t line) const { return OwnText(FirstLineText + line); }
};

// Whether an address box holds any text at all.
bool HasAddressText(const std::vector<std::string>& lines);

class TPhoneObject final : public TKPXObject
{
public:
    TPhoneObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                 std::int32_t id, std::string_view details);

    TextView Extension() const { return OwnText(ExtensionText); }
    void SetExtension(std::string_view text);

    void WriteRecord(std::string& out, int level) const override;
    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupDial); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { Dial(); }
    int Dial() override;
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;

private:
    void ReadDetails(const HeadTexts& head, std::string_view line) override;
    bool EditWith(EditMode mode);
    static constexpr std::size_t ExtensionText = FirstOwnText;
};

class TFaxObject final : public TTagOnlyObject
{
public:
    TFaxObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
               std::int32_t id, std::string_view details);

    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupSendFax).set(PopupDial); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { SendFax({}); }
    void SendFax(const std::string& document) override;
    int Dial() override;
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;
};

class TEMailObject final : public TTagOnlyObject
{
public:
    TEMailObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                 std::int32_t id, std::string_view details);

    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupSendMail); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { SendMail({}); }
    void SendMail(const std::string& attachment) override;
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;

private:
    bool EditWith(EditMode mode);
};

// A website is a tree item: it has its own node beneath its owner.
class TWebObject final : public TTagOnlyObject
{
public:
    TWebObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
               std::int32_t id, std::string_view details);

    PopupEntries SetupPopup() const override { return PopupEntries().set(PopupOpen).set(PopupBrowse); }
    bool EditNew(TreeNode& node) override;
    void EditProperties() override;
    void OpenDefault() override { Browse(); }
    void Browse() override;
    // Refuses a row whose address must not be a live link (LinkProblem).
    bool ReadFields(FieldRecord& record) override;
    std::string GetFieldText(std::string_view field) const override;
    // Only a website with sub-websites gets an index line on a published site.
    bool ListInIndex() const override;

private:
    bool EditWith(EditMode mode);
};

} // namespace quillary
