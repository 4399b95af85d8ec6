#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/window.h"
#include "vcard/csv/csv_layouts.h"
#include "vcard/csv/csv_row.h"
#include "vcard/csv/field_kinds.h"
#include "vcard/reader.h"

namespace brimwell {

/// The faithful layout the Format frame selects now (Option11 to Option13); none while
/// "CSV" or "Gmail (CSV)" is.
std::optional<vcard::csv::CsvLayoutKind> chosenFaithfulLayout(const Window& window);

inline bool faithfulLayoutChosen(const Window& window)
{
    return chosenFaithfulLayout(window).has_value();
}

/// What a faithful run needs of the window's options, read once at its start.
struct FaithfulOptions {
    vcard::csv::CsvLayoutKind layout = vcard::csv::CsvLayoutKind::GoogleContacts;
    vcard::csv::FieldKinds kinds;
    vcard::csv::CsvStyle style;
    std::string encoding;
    vcard::ReaderOptions reader;
    /// Files of this many bytes or more are read in two parts at once, on two threads; a
    /// smaller file does not pay back the start of a thread.
    std::uintmax_t splitFromBytes = std::uintmax_t{1} << 20;
};

/// Reads the options: the filter boxes, "Inclosed With Double Quotes", "Remove CRLF", the
/// two encoding choices, and `separator` (the Separator frame's; a comma when no button
/// is selected, as the importers of these layouts expect one).
FaithfulOptions faithfulOptions(const Window& window, vcard::csv::CsvLayoutKind layout,
                                const std::string& separator);

}  // namespace brimwell
