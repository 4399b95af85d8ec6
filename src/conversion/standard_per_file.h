#pragma once

#include <string>

#include "base/window.h"

namespace brimwell {

/// Converts one vCard file, read whole as one contact, into a CSV of two lines: the
/// column names of every field found, in line order and duplicates included, and their
/// values. The CSV goes to the folder of "Save results to this folder:" or beside the
/// source, named after the source with ".csv"; an existing file is replaced.
///
///     N:Lee;Ann / FN:Ann Lee / TEL;CELL:555  ->  "Last Name","First Name","Display Name","Mobile
///     Phone"
///                                                "Lee","Ann","Ann Lee","555"
///
/// E-mail, website, note, address and phone lines count only with parameters
/// ("EMAIL;INTERNET:a" does, "EMAIL:a" does not). The progress bar follows the columns.
void ConvertTresko(Window& window, const std::string& vcfPath, const std::string& separator);

/// ConvertTresko restricted to the ticked "Keep Only These Fields" boxes (names, e-mails,
/// addresses, phones, with or without parameters); leaves the progress bar alone.
void ConvertTreskoLimit(Window& window, const std::string& vcfPath, const std::string& separator);

}  // namespace brimwell
