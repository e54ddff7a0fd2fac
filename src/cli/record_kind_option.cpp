// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_kind_option.h"

#include "exchange/record_types.h"
#include "model/item_kind.h"

#include <map>

namespace quillary::cli {

namespace {
const RecordType* TypeNamed(const std::string& name)
{
    static const std::map<std::string, int> kinds = {{"person", KindPerson},   {"organization", KindOrganization},
                                                     {"website", KindWebsite}, {"address", KindAddress},
                                                     {"phone", KindPhone},     {"email", KindEMail},
                                                     {"fax", KindFax}};
    const auto it = kinds.find(name);
    return it == kinds.end() ? nullptr : RecordTypeOfKind(it->second);
}

// Field names hold blanks but never commas: "Title,First Name" names two fields.
std::vector<std::string> SplitFieldNames(const std::string& text)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t first = name.find_first_not_of(" \"");
        const std::size_t last = name.find_last_not_of(" \"");
        names.push_back(first == std::string::npos ? "" : name.substr(first, last - first + 1));
        if (comma == std::string::npos)
            return names;
        start = comma + 1;
    }
}

void ListFields(const RecordType& type, std::ostream& err)
{
    err << "fields of " << type.text << ":";
    for (std::string_view field : type.fields)
        err << " \"" << field << "\"";
    err << "\n";
}
} // namespace

std::optional<RecordColumns> RecordColumnsOf(const CliOptions& options, std::ostream& err)
{
    const RecordType* type = TypeNamed(options.ValueOr("--kind", ""));
    if (!type) {
        err << "quillary-cli: --kind must be person, organization, website, address, phone, email or fax\n";
        return std::nullopt;
    }
    RecordColumns columns{type->kind, {type->fields.begin(), type->fields.end()}};
    if (const auto fields = options.Value("--fields")) {
        columns.fields = SplitFieldNames(*fields);
        for (const std::string& field : columns.fields)
            if (!OffersField(*type, field)) {
                err << "quillary-cli: no field \"" << field << "\" in " << type->text << "\n";
                ListFields(*type, err);
                return std::nullopt;
            }
    }
    return columns;
}

} // namespace quillary::cli
