#include "job/part_rows.h"

namespace brimwell {

LaterPart::LaterPart(const std::string& path, std::uintmax_t from, const FaithfulOptions& options)
    : m_reader(std::filesystem::path(path), vcard::ByteRange{from}, options.reader),
      m_layout(vcard::csv::makeLayout(options.layout, options.kinds)),
      m_spool(m_layout->numberedGroupCount()),
      m_row(options.style),
      m_thread(&LaterPart::run, this)
{}

LaterPart::~LaterPart()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_thread.join();
}

void LaterPart::run()
{
    try {
        spoolContacts(m_reader, *m_layout, m_spool, m_row, [this] { return !m_stop.load(); });
    } catch (...) {
        m_error = std::current_exception();
    }
}

void LaterPart::wait()
{
    m_thread.join();
    if (m_error)
        std::rethrow_exception(m_error);
}

}  // namespace brimwell
