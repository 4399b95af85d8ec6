#pragma once

#include "vcard/csv/contact_csv_layout.h"

namespace brimwell::vcard::csv {

/// Every value of the contact model in plain English columns, one row per contact, for a
/// spreadsheet: the single fields first, then numbered groups sized to the data (`E-mail 1
/// Type`, `E-mail 1`, ...) with the types, label and preference beside each value
/// (`home, cell, Ann's, preferred`), and the properties the model has no field for as
/// `Other N Name` / `Other N Value`. Dates are `1980-04-12` (`--04-12` without a year), or
/// the text as written when it is no date.
class SpreadsheetLayout final : public ContactCsvLayout {
public:
    explicit SpreadsheetLayout(FieldKinds kinds = {});

private:
    void addSingleFields();
    void addValueGroups();
    /// The Type cell: types, label and "preferred", joined by ", ".
    static void typeCell(const Attributes& attributes, CsvRow& row);
};

}  // namespace brimwell::vcard::csv
