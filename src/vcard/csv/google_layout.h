#pragma once

#include <cstddef>

#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/google_labels.h"

namespace brimwell::vcard::csv {

/// The CSV that Google Contacts exports and imports: the 17 name and organisation columns,
/// then numbered groups of e-mails, phones, addresses, relations, web sites, events,
/// instant-messaging handles and custom fields. The order follows the files Google's
/// current export writes: `Relation N` right after the addresses, then `Website N`,
/// `Event N`, and `Custom Field N` last; where IM goes in them is not known, so it sits
/// before the custom fields. As in those files, a preferred value's label starts with `* `
/// (`* ` alone when it has no label), the Labels column holds the categories joined by
/// ` ::: ` and then `* myContacts`, and dates are `1980-04-12`, or `--04-12` without a
/// year. Several values in one cell (nicknames, departments) are joined by ` ::: ` too.
class GoogleLayout final : public ContactCsvLayout {
public:
    explicit GoogleLayout(FieldKinds kinds = {});

private:
    void addNames();
    void addOrganisationAndNotes();
    void addValueGroups();
    void prepare(const Contact& contact) override;
    /// The label cell of a value: `* ` first for the contact's preferred one.
    static void labelCell(LabelledValue kind, const Attributes& attributes, bool preferred,
                          CsvRow& row);

    std::size_t m_preferredEmail = 0;
    std::size_t m_preferredPhone = 0;
    std::size_t m_preferredAddress = 0;
    std::size_t m_preferredUrl = 0;
    std::size_t m_preferredIm = 0;
};

}  // namespace brimwell::vcard::csv
