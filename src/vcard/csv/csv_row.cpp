#include "vcard/csv/csv_row.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstring>

namespace brimwell::vcard::csv {

CsvRow::CsvRow(const CsvStyle& style) : m_style(style)
{
    for (const char c : {'"', '\r', '\n'})
        m_special[static_cast<unsigned char>(c)] = true;
    // A character of a longer separator only sends the cell down the careful path, which
    // then looks for the whole separator once the cell is complete.
    for (const char c : m_style.separator)
        m_special[static_cast<unsigned char>(c)] = true;
    m_longSeparator = m_style.separator.size() > 1;
    grow(4096);
}

void CsvRow::grow(std::size_t extra)
{
    const std::size_t capacity = std::max(2 * m_capacity, m_size + extra);
    auto data = std::make_unique<char[]>(capacity);
    if (m_size != 0)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

void CsvRow::emptyCells(std::size_t count)
{
    if (m_style.quoteAll) {
        for (std::size_t i = 0; i < count; ++i)
            cell({});
        return;
    }
    if (count == 0)
        return;
    const std::size_t separators = m_cells == 0 ? count - 1 : count;
    const std::size_t width = m_style.separator.size();
    char* out = room(separators * width);
    if (width == 1) {
        std::memset(out, m_style.separator[0], separators);
        out += separators;
    } else {
        for (std::size_t i = 0; i < separators; ++i)
            out = copy(m_style.separator, out);
    }
    m_size = std::size_t(out - m_data.get());
    m_cells += count;
}

void CsvRow::writtenCells(std::string_view written, std::size_t count, bool separated)
{
    if (count == 0)
        return;
    // Cells that followed others still do: only cells that came first can lose that place.
    assert(!separated || m_cells != 0);
    const std::string_view separator = m_style.separator;
    char* out = room(separator.size() + written.size());
    if (!separated && m_cells != 0)
        out = copy(separator, out);
    std::memcpy(out, written.data(), written.size());
    m_size = std::size_t(out - m_data.get()) + written.size();
    m_cells += count;
}

void CsvRow::joined(const std::vector<std::string>& values, std::string_view separator)
{
    begin();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i != 0)
            append(separator);
        append(values[i]);
    }
    end();
}

void CsvRow::appendSpecial(std::string_view piece)
{
    // Room for the worst case: every byte a quote or a line feed, each written as two.
    char* out = room(2 * piece.size());
    const char separator = m_style.separator.size() == 1 ? m_style.separator[0] : '\0';
    for (const char c : piece) {
        if (c == '"') {
            *out++ = '"';
            *out++ = '"';
            m_needsQuotes = true;
            m_afterCr = false;
            continue;
        }
        if (c != '\r' && c != '\n') {
            *out++ = c;
            m_needsQuotes = m_needsQuotes || (c == separator && c != '\0');
            m_afterCr = false;
            continue;
        }
        const bool secondHalfOfCrLf = c == '\n' && m_afterCr;
        m_afterCr = c == '\r';
        if (secondHalfOfCrLf)
            continue;
        if (m_style.lineBreaksAsSpaces) {
            *out++ = ' ';
        } else {
            *out++ = '\r';
            *out++ = '\n';
            m_needsQuotes = true;
        }
    }
    m_size = std::size_t(out - m_data.get());
}

void CsvRow::appendNumber(unsigned value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    append(std::string_view(digits, std::size_t(result.ptr - digits)));
}

void CsvRow::quoteIfNeeded()
{
    const std::string_view content = text().substr(m_cellStart);
    if (!m_style.quoteAll && !m_needsQuotes &&
        content.find(m_style.separator) == std::string_view::npos)
        return;
    // room() always leaves two bytes free for these quotes.
    char* const start = m_data.get() + m_cellStart;
    std::memmove(start + 1, start, content.size());
    *start = '"';
    start[content.size() + 1] = '"';
    m_size += 2;
}

void CsvRow::endLine()
{
    char* out = room(2);
    *out++ = '\r';
    *out++ = '\n';
    m_size += 2;
    m_cells = 0;
}

}  // namespace brimwell::vcard::csv
