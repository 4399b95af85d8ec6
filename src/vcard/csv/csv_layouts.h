#pragma once

#include <memory>

#include "vcard/csv/contact_csv_layout.h"

namespace brimwell::vcard::csv {

/// The three layouts of the faithful engine.
enum class CsvLayoutKind { GoogleContacts, Outlook, Spreadsheet };

/// A new layout of `kind` with the column filter `kinds`, nothing measured yet: one for each
/// CSV file written.
std::unique_ptr<ContactCsvLayout> makeLayout(CsvLayoutKind kind, FieldKinds kinds = {});

}  // namespace brimwell::vcard::csv
