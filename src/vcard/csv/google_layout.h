#pragma once

#include <cstddef>
#include <string>

#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/google_labels.h"

namespace brimwell::vcard::csv {

/// The CSV that Google Contacts exports and imports: the 17 name and organisation columns,
/// then numbered groups of e-mails, phones, addresses, relations, web sites, events,
/// instant-messaging handles and custom fields, in the order Google's own export writes
/// them (an export of its current form puts `Relation N` right after the addresses and
/// before `Website N` and `Event N`; `Custom Field N` comes last). A preferred value's
/// label starts with `* `; the Labels column holds the categories joined by ` ::: ` and
/// ends with `* myContacts`; several values in one cell (nicknames, departments) are
/// joined by ` ::: ` too. Dates are `1980-04-12`, or `--04-12` without a year.
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
    void dateCell(const DateValue& date, CsvRow& row);

    std::size_t m_preferredEmail = 0;
    std::size_t m_preferredPhone = 0;
    std::size_t m_preferredAddress = 0;
    std::size_t m_preferredUrl = 0;
    std::size_t m_preferredIm = 0;
    std::string m_date;
};

}  // namespace brimwell::vcard::csv
