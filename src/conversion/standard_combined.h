#pragma once

#include <string>

#include "base/window.h"
#include "conversion/property_rules.h"

namespace brimwell {

/// Writes contacts into one CSV: a header naming every column found anywhere, in order of
/// first appearance, then one line per contact with each value under its column (a later
/// field of the same name overwrites an earlier one). With fromText false the contacts
/// are those of every listed file, in list order; with fromText true the one contact in
/// vcardText. Nothing is written, and an existing file is left alone, when no column is
/// found; otherwise the file is replaced.
///
///     file 1: N:Lee;Ann / EMAIL:a1     Last Name,First Name,Email Address,Display Name,Email
///     Address 2 file 2: FN:Bob / EMAIL:b1 / b2   Lee,Ann,a1,,
///                                      ,,b1,Bob,b2
void ConvertVCFToSingleCSV(Window& window, const std::string& csvPath, const std::string& separator,
                           bool fromText, const std::string& vcardText);

/// Whether pass 1 keeps the last file's data lines for pass 2, which then writes them
/// without reading the file again. A speed-up only: declining gives the same bytes,
/// progress and messages.
enum class LastFileKeeping { Keep, Decline };

/// The combined converter behind both procedures below: `rules` All for
/// ConvertVCFToSingleCSV, Filtered for ConvertVCFToSingleCSVLimit (whose names its error
/// reports carry).
void convertCombined(Window& window, const std::string& csvPath, const std::string& separator,
                     RuleSet rules, bool fromText, const std::string& vcardText,
                     LastFileKeeping keeping = LastFileKeeping::Keep);

/// ConvertVCFToSingleCSV restricted to the ticked "Keep Only These Fields" boxes.
void ConvertVCFToSingleCSVLimit(Window& window, const std::string& csvPath,
                                const std::string& separator, bool fromText,
                                const std::string& vcardText);

}  // namespace brimwell
