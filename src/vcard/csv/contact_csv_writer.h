#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/csv_row.h"
#include "vcard/csv/text_encoder.h"

namespace brimwell::vcard::csv {

/// Writes a layout's header and rows to a byte stream in the chosen encoding. Each line is
/// built as UTF-8 in the row's reused buffer and handed to the stream, encoded, as soon as
/// it is complete, so that a stream which keeps what it is given (the job's target file,
/// which the program writes out when it must end at once) holds every finished row; the
/// stream's own buffer gathers the lines into blocks.
///
///     ContactCsvWriter writer(file, style, "windows-1252");
///     writer.writeHeader(layout);
///     while (spool.next(text, shape)) writer.writeRow(layout, text, shape);
///     writer.finish();   // writer.unmappableCount(): characters written as '?'
///
/// A failed write shows in the stream's state, which the caller checks after finish().
class ContactCsvWriter {
public:
    /// Throws std::invalid_argument for an encoding that isKnownEncoding() refuses.
    ContactCsvWriter(std::ostream& out, CsvStyle style, std::string_view encoding);
    ContactCsvWriter(const ContactCsvWriter&) = delete;
    ContactCsvWriter& operator=(const ContactCsvWriter&) = delete;
    /// Writes what is left, as finish() does; never throws.
    ~ContactCsvWriter();

    void writeHeader(const ContactCsvLayout& layout);
    /// Writes a row of layout.unpaddedRow(), padded to the header.
    void writeRow(const ContactCsvLayout& layout, std::string_view text, const UnpaddedRow& shape);
    /// Writes the rest of the text and flushes the stream.
    void finish();

    std::size_t unmappableCount() const { return m_encoder.unmappableCount(); }

private:
    /// Hands the line just built to the stream, encoded.
    void writeLine();

    std::ostream& m_out;
    CsvStyle m_style;
    TextEncoder m_encoder;
    CsvRow m_row;         ///< holds the UTF-8 lines not yet written
    std::string m_bytes;  ///< their encoded bytes, for code pages
    bool m_finished = false;
};

}  // namespace brimwell::vcard::csv
