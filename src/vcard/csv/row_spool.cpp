#include "vcard/csv/row_spool.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace brimwell::vcard::csv {

RowSpool::RowSpool(std::size_t paddingPoints)
    : m_buffer(std::make_unique<char[]>(kBufferSize)),
      m_file(std::tmpfile()),
      m_paddingPoints(paddingPoints)
{
    if (!m_file)
        fail("Could not create the temporary file that holds the rows");
    // Large blocks: a few hundred system calls for a file of 100,000 rows, not thousands.
    std::setvbuf(m_file.get(), m_buffer.get(), _IOFBF, kBufferSize);
    m_header.resize(3 * m_paddingPoints + 2);
}

void RowSpool::fail(const char* what)
{
    const int error = errno;
    throw std::runtime_error(std::string(what) + (error != 0 ? ": " : "") +
                             (error != 0 ? std::strerror(error) : ""));
}

void RowSpool::add(std::string_view text, const UnpaddedRow& row)
{
    if (row.runs.size() != m_paddingPoints + 1 || row.values.size() != m_paddingPoints)
        throw std::logic_error("RowSpool: a row of another layout");
    std::uint32_t* out = m_header.data();
    for (const UnpaddedRow::Run& run : row.runs) {
        *out++ = run.bytes;
        *out++ = run.cells;
    }
    for (const std::uint32_t values : row.values)
        *out++ = values;
    errno = 0;
    if (std::fwrite(m_header.data(), sizeof(std::uint32_t), m_header.size(), m_file.get()) !=
            m_header.size() ||
        std::fwrite(text.data(), 1, text.size(), m_file.get()) != text.size())
        fail("Could not write to the temporary file that holds the rows");
    ++m_rows;
    m_bytes += m_header.size() * sizeof(std::uint32_t) + text.size();
}

void RowSpool::append(RowSpool& other)
{
    if (other.m_paddingPoints != m_paddingPoints)
        throw std::logic_error("RowSpool: rows of another layout");
    other.rewind();
    // Past the rows kept, though this spool was rewound or dropped rows since.
    errno = 0;
    if (std::fseek(m_file.get(), static_cast<long>(m_bytes), SEEK_SET) != 0)
        fail("Could not find the end of the temporary file that holds the rows");
    std::vector<char> block(kBufferSize);
    for (std::uintmax_t left = other.m_bytes; left > 0;) {
        const auto size = static_cast<std::size_t>(std::min<std::uintmax_t>(left, block.size()));
        errno = 0;
        if (std::fread(block.data(), 1, size, other.m_file.get()) != size)
            fail("Could not read the temporary file that holds the rows");
        errno = 0;
        if (std::fwrite(block.data(), 1, size, m_file.get()) != size)
            fail("Could not write to the temporary file that holds the rows");
        left -= size;
    }
    m_rows += other.m_rows;
    m_bytes += other.m_bytes;
}

RowSpool::Mark RowSpool::mark() const
{
    Mark mark{m_rows, m_bytes, {}};
    errno = 0;
    if (std::fgetpos(m_file.get(), &mark.end) != 0)
        fail("Could not find the end of the temporary file that holds the rows");
    return mark;
}

void RowSpool::dropAfter(const Mark& mark)
{
    // The rows after the mark are written over; next() stops after the rows kept.
    errno = 0;
    if (std::fsetpos(m_file.get(), &mark.end) != 0)
        fail("Could not go back in the temporary file that holds the rows");
    m_rows = mark.rows;
    m_bytes = mark.bytes;
}

void RowSpool::rewind()
{
    errno = 0;
    if (std::fflush(m_file.get()) != 0)
        fail("Could not write to the temporary file that holds the rows");
    std::rewind(m_file.get());
    m_read = 0;
}

bool RowSpool::next(std::string& text, UnpaddedRow& row)
{
    if (m_read == m_rows)
        return false;
    errno = 0;
    if (std::fread(m_header.data(), sizeof(std::uint32_t), m_header.size(), m_file.get()) !=
        m_header.size())
        fail("Could not read the temporary file that holds the rows");
    row.runs.resize(m_paddingPoints + 1);
    row.values.resize(m_paddingPoints);
    const std::uint32_t* in = m_header.data();
    std::size_t bytes = 0;
    for (UnpaddedRow::Run& run : row.runs) {
        run.bytes = *in++;
        run.cells = *in++;
        bytes += run.bytes;
    }
    for (std::uint32_t& values : row.values)
        values = *in++;
    text.resize(bytes);
    if (std::fread(text.data(), 1, bytes, m_file.get()) != bytes)
        fail("Could not read the temporary file that holds the rows");
    ++m_read;
    return true;
}

}  // namespace brimwell::vcard::csv
