#pragma once

#include <string>

namespace brimwell {

class Window;

// The Gmail layout: 25 columns ("Name", "E-mail", "Notes", "Section 1 - Description", ...),
// every field a property lookup on the whole vCard file or a constant, one data line per
// file. Quotes follow `Check9`; fields are joined by the separator.

/// Writes the header and the data line of one vCard file to the CSV that perFileTarget
/// names for it, replacing any file of that name.
void ConvertVCFToGmailCSV(Window& window, const std::string& vcfPath, const std::string& separator);
/// Writes the header and then one data line per file of the window's list to csvPath,
/// replacing its content, and shows the progress.
void ConvertVCFToGmailSingleCSV(Window& window, const std::string& csvPath,
                                const std::string& separator);

// The filtered Gmail layout: a column for each ticked filter box, always in the order
// "Name" (`Check6`), "Address" (`Check8`), "Email" (`Check3`), "Phone Numbers" (`Check4`),
// every field followed by the separator, the last one included.

/// ConvertVCFToGmailCSV in the filtered layout.
void ConvertVCFToGmailCSVLimit(Window& window, const std::string& vcfPath,
                               const std::string& separator);
/// ConvertVCFToGmailSingleCSV in the filtered layout.
void ConvertVCFToGmailSingleCSVLimit(Window& window, const std::string& csvPath,
                                     const std::string& separator);

}  // namespace brimwell
