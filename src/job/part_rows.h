#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <thread>

#include "job/faithful_options.h"
#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/row_spool.h"
#include "vcard/reader.h"

// The rows of a vCard file's contacts, read in one part or, for a large file, in two parts
// at once: the later part on a thread of its own while the caller reads the earlier one.

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

/// The part of a file from byte `from` to its end, read into rows of a layout and spool of
/// its own on a thread that starts at once.
///
///     LaterPart later(path, cut, options);
///     ...                                  // read the bytes before `cut`
///     later.wait();                        // rethrows what stopped the later part
///     spool.append(later.spool());
class LaterPart {
public:
    /// Throws std::runtime_error when the file cannot be opened.
    LaterPart(const std::string& path, std::uintmax_t from, const FaithfulOptions& options);
    /// Stops the thread, if wait() was never called.
    ~LaterPart();

    LaterPart(const LaterPart&) = delete;
    LaterPart& operator=(const LaterPart&) = delete;

    /// Waits until every contact of the part is spooled; rethrows what stopped the reading.
    void wait();

    vcard::VCardReader& reader() { return m_reader; }
    const vcard::csv::ContactCsvLayout& layout() const { return *m_layout; }
    vcard::csv::RowSpool& spool() { return m_spool; }

private:
    void run();

    vcard::VCardReader m_reader;
    std::unique_ptr<vcard::csv::ContactCsvLayout> m_layout;
    vcard::csv::RowSpool m_spool;
    vcard::csv::CsvRow m_row;
    std::atomic<bool> m_stop = false;
    std::exception_ptr m_error;
    std::thread m_thread;  ///< started last, once everything it uses exists
};

}  // namespace brimwell
