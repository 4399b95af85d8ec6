#include "vcard/csv/csv_layouts.h"

#include "vcard/csv/google_layout.h"
#include "vcard/csv/outlook_layout.h"
#include "vcard/csv/spreadsheet_layout.h"

namespace brimwell::vcard::csv {

std::unique_ptr<ContactCsvLayout> makeLayout(CsvLayoutKind kind, FieldKinds kinds)
{
    switch (kind) {
    case CsvLayoutKind::GoogleContacts:
        return std::make_unique<GoogleLayout>(kinds);
    case CsvLayoutKind::Outlook:
        return std::make_unique<OutlookLayout>(kinds);
    case CsvLayoutKind::Spreadsheet:
        break;
    }
    return std::make_unique<SpreadsheetLayout>(kinds);
}

}  // namespace brimwell::vcard::csv
