#include "vcard/csv/contact_csv_writer.h"

#include <ostream>
#include <utility>

namespace brimwell::vcard::csv {

ContactCsvWriter::ContactCsvWriter(std::ostream& out, CsvStyle style, std::string_view encoding)
    : m_out(out), m_style(std::move(style)), m_encoder(encoding), m_row(m_style)
{
    const std::string_view preamble = m_encoder.preamble();
    m_out.write(preamble.data(), std::streamsize(preamble.size()));
}

ContactCsvWriter::~ContactCsvWriter()
{
    try {
        finish();
    } catch (...) {
        // A destructor cannot report; finish() called by the owner can.
    }
}

void ContactCsvWriter::writeHeader(const ContactCsvLayout& layout)
{
    layout.header(m_row);
    m_row.endLine();
    writeLine();
}

void ContactCsvWriter::writeRow(const ContactCsvLayout& layout, std::string_view text,
                                const UnpaddedRow& shape)
{
    layout.paddedRow(text, shape, m_row);
    m_row.endLine();
    writeLine();
}

void ContactCsvWriter::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_bytes.clear();
    m_encoder.finish(m_bytes);
    m_out.write(m_bytes.data(), std::streamsize(m_bytes.size()));
    m_out.flush();
}

void ContactCsvWriter::writeLine()
{
    const std::string_view text = m_row.text();
    if (m_encoder.passesThrough()) {
        m_out.write(text.data(), std::streamsize(text.size()));
    } else {
        m_bytes.clear();
        m_encoder.encode(text, m_bytes);
        m_out.write(m_bytes.data(), std::streamsize(m_bytes.size()));
    }
    m_row.clear();
}

}  // namespace brimwell::vcard::csv
