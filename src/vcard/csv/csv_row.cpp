#include "vcard/csv/csv_row.h"

#include <charconv>

namespace brimwell::vcard::csv {

void CsvRow::emptyCells(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        begin();
        end();
    }
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

void CsvRow::begin()
{
    if (m_cells != 0)
        m_text.append(m_style.separator);
    m_cellStart = m_text.size();
    m_needsQuotes = false;
    m_afterCr = false;
}

void CsvRow::append(std::string_view piece)
{
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c != '"' && c != '\r' && c != '\n') {
            m_afterCr = false;
            continue;
        }
        m_text.append(piece.substr(run, i - run));
        run = i + 1;
        if (c == '"') {
            m_text.append("\"\"");
            m_needsQuotes = true;
            m_afterCr = false;
            continue;
        }
        const bool secondHalfOfCrLf = c == '\n' && m_afterCr;
        m_afterCr = c == '\r';
        if (secondHalfOfCrLf)
            continue;
        if (m_style.lineBreaksAsSpaces) {
            m_text.push_back(' ');
        } else {
            m_text.append("\r\n");
            m_needsQuotes = true;
        }
    }
    m_text.append(piece.substr(run));
}

void CsvRow::appendNumber(unsigned value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    append(std::string_view(digits, std::size_t(result.ptr - digits)));
}

void CsvRow::end()
{
    const std::string_view content = std::string_view(m_text).substr(m_cellStart);
    if (m_style.quoteAll || m_needsQuotes ||
        content.find(m_style.separator) != std::string_view::npos) {
        m_text.insert(m_text.begin() + std::ptrdiff_t(m_cellStart), '"');
        m_text.push_back('"');
    }
    ++m_cells;
}

void CsvRow::endLine()
{
    m_text.append("\r\n");
    m_cells = 0;
}

}  // namespace brimwell::vcard::csv
