#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "vcard/csv/contact_csv_layout.h"

namespace brimwell::vcard::csv {

/// The 92 fixed columns of the desktop Outlook import and export. Each value goes to the
/// slot its types or label name (a work phone to Business Phone, then Business Phone 2; a
/// fax at home to Home Fax; a home address to the Home columns); the e-mail the contact
/// prefers comes first, with the type `SMTP` and the display name `Name (address)`. Dates
/// are written as Outlook writes them, `4/12/1980`.
///
/// A value that finds no free slot (a fourth e-mail, a third home phone, a second web page,
/// a nickname, a birthday without a year) is not dropped: it goes to Notes as a line with
/// its label (`E-mail 4: ann@example.com`), and valuesMovedToNotes() counts it. Under a
/// column filter Notes stays, holding only the moved values of the kept kinds.
class OutlookLayout final : public ContactCsvLayout {
public:
    explicit OutlookLayout(FieldKinds kinds = {});

    static constexpr std::size_t kColumnCount = 92;

    std::size_t valuesMovedToNotes() const override { return m_movedToNotes; }

private:
    void prepare(const Contact& contact) override;
    void placeNames(const Contact& contact);
    void placeEmails(const Contact& contact);
    void placePhones(const Contact& contact);
    void placeAddresses(const Contact& contact);
    void placeDates(const Contact& contact);
    void placeRelations(const Contact& contact);
    void placeOthers(const Contact& contact);

    /// Adds `label: value` to the lines bound for Notes, when the filter keeps `kind`.
    void moveToNotes(FieldKind kind, std::string_view label, std::string_view value);
    void moveToNotes(FieldKind kind, std::string_view label, unsigned number,
                     std::string_view value);

    std::array<std::string, kColumnCount> m_cells;
    std::array<unsigned, kColumnCount> m_taken{};  ///< values sent to each first slot
    std::string m_moved;                           ///< this row's lines bound for Notes
    std::string m_scratch;
    std::size_t m_movedToNotes = 0;
};

}  // namespace brimwell::vcard::csv
