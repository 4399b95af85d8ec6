#pragma once

#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/row_spool.h"
#include "vcard/reader.h"

// The rows of a vCard file's contacts, read in one part or, for a large file, in two parts
// at once (vcard/two_part_read.h), each part's into rows of its own.

namespace brimwell {

/// Writes each contact of `reader` as a row into `spool`, sizing `layout`'s groups; after
/// each row `goOn()` tells whether to read on.
template <class GoOn>
void spoolContacts(vcard::VCardReader& reader, vcard::csv::ContactCsvLayout& layout,
                   vcard::csv::RowSpool& spool, vcard::csv::CsvRow& row, GoOn goOn)
{
    vcard::Contact contact;
    vcard::csv::UnpaddedRow shape;
    while (reader.next(contact)) {
        layout.unpaddedRow(contact, row, shape);
        spool.add(row.text(), shape);
        row.clear();
        if (!goOn())
            return;
    }
}

/// Where the rows of one part of a file go: each contact's row into `spool`, sizing
/// `layout`'s groups (see vcard/two_part_read.h).
struct PartRows {
    vcard::csv::ContactCsvLayout& layout;
    vcard::csv::RowSpool& spool;
    vcard::csv::CsvRow& row;
};

/// The reading of a part for readInTwoParts(): spoolContacts() into its PartRows.
inline constexpr auto spoolPart = [](vcard::VCardReader& reader, PartRows& part, auto goOn) {
    spoolContacts(reader, part.layout, part.spool, part.row, goOn);
};

}  // namespace brimwell
