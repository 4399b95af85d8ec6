#include "vcard/csv/csv_row.h"

#include <charconv>

namespace brimwell::vcard::csv {

CsvRow::CsvRow(const CsvStyle& style, std::string& text) : m_style(style), m_text(text)
{
    if (m_style.separator.size() == 1)
        m_separatorChar = m_style.separator[0];
    // A character of a longer separator sends the cell to the careful path, which looks for
    // the whole separator at the end of the cell.
    for (const char c : {'"', '\r', '\n'})
        m_special[static_cast<unsigned char>(c)] = true;
    for (const char c : m_style.separator)
        m_special[static_cast<unsigned char>(c)] = true;
}

void CsvRow::emptyCells(std::size_t count)
{
    if (count == 0)
        return;
    if (m_style.quoteAll) {
        for (std::size_t i = 0; i < count; ++i)
            cell({});
        return;
    }
    separate();
    if (m_separatorChar != '\0') {
        m_text.append(count - 1, m_separatorChar);
    } else {
        for (std::size_t i = 1; i < count; ++i)
            m_text.append(m_style.separator);
    }
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
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c != '"' && c != '\r' && c != '\n') {
            m_needsQuotes = m_needsQuotes || c == m_separatorChar;
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
    const bool longSeparatorInside =
        m_separatorChar == '\0' &&
        std::string_view(m_text).substr(m_cellStart).find(m_style.separator) !=
            std::string_view::npos;
    if (m_style.quoteAll || m_needsQuotes || longSeparatorInside) {
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
