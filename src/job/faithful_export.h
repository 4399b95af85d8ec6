#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/window.h"
#include "job/faithful_options.h"

namespace brimwell {

class ErrorTrap;

namespace vcard::csv {
class ContactCsvLayout;
class CsvRow;
class RowSpool;
}  // namespace vcard::csv

/// A run of the faithful engine over the window's file list: each vCard file is read by
/// the faithful reader once (a large one in two parts at once, on two threads); the rows
/// wait in a temporary file (RowSpool) until the last contact has sized the layout's
/// numbered groups, so that no file is ever held in memory whole.
///
///     FaithfulExport run(window, trap, options);
///     run.writeCsvPerFile();            // or run.writeOneCsv(chosenPath)
///     std::string told = run.report();  // the warnings and counts, for one message
class FaithfulExport {
public:
    FaithfulExport(Window& window, ErrorTrap& trap, FaithfulOptions options)
        : m_window(window), m_trap(trap), m_options(std::move(options))
    {}

    /// "Create One CSV From All VCF Files": every contact of every listed file into `target`.
    void writeOneCsv(const std::string& target);
    /// "Create Separate CSV For Each VCF File": one CSV per listed file, named and placed as
    /// the classic layouts name and place theirs, each holding all of the file's contacts.
    void writeCsvPerFile();

    /// What the user should know of the run: the readers' warnings (each once), the values
    /// that went to Outlook's Notes, the characters the code page lacks. Empty when all
    /// went perfectly.
    std::string report() const;

private:
    void convert(const std::vector<std::string>& sources, const std::string& target);
    /// Reads each source in turn into `spool`: every contact's row, without its padding. A
    /// file that cannot be read to its end is reported under the trap and leaves no row.
    /// Returns the values that the rows kept moved to Notes.
    std::size_t spoolRows(const std::vector<std::string>& sources,
                          vcard::csv::ContactCsvLayout& layout, vcard::csv::RowSpool& spool);
    /// The rows of one file, added to `spool`; throws when the file cannot be read to its end.
    /// Returns the values moved to Notes.
    std::size_t spoolFile(const std::string& path, vcard::csv::ContactCsvLayout& layout,
                          vcard::csv::RowSpool& spool, vcard::csv::CsvRow& row);
    /// spoolFile() of a large file, whose bytes from `cut` on are read on a second thread;
    /// nothing when the cut turns out to be inside a card, and no row was added.
    std::optional<std::size_t> spoolInTwoParts(const std::string& path, std::uintmax_t cut,
                                               vcard::csv::ContactCsvLayout& layout,
                                               vcard::csv::RowSpool& spool,
                                               vcard::csv::CsvRow& row);

    Window& m_window;
    ErrorTrap& m_trap;
    FaithfulOptions m_options;
    std::vector<std::string> m_warnings;
    std::size_t m_movedToNotes = 0;
    std::size_t m_unmappable = 0;
};

}  // namespace brimwell
