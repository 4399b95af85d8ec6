#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brimwell::vcard::csv {

/// How cells are written: RFC 4180 quoting with a chosen separator.
struct CsvStyle {
    std::string separator = ",";      ///< never empty: ",", ";", "\t", ", ", ...
    bool quoteAll = false;            ///< enclose every cell, not only those that need it
    bool lineBreaksAsSpaces = false;  ///< a line break inside a value becomes one space
};

/// Appends the cells of CSV lines to a text buffer that the caller owns and reuses, so
/// that building a row allocates nothing once the buffer has grown. A cell holding the
/// separator, a double quote, CR or LF is enclosed in double quotes and its quotes are
/// doubled; a line break inside a value (LF, CR LF or CR) is written as CR LF, or as one
/// space when the style asks for it. Every line ends in CR LF.
///
///     CsvRow row(style, text);
///     row.cell("Lee, Ann");        // "Lee, Ann"
///     row.begin(); row.append("* "); row.append("Home"); row.end();
///     row.endLine();
class CsvRow {
public:
    CsvRow(const CsvStyle& style, std::string& text);

    void cell(std::string_view value)
    {
        separate();
        if (!m_style.quoteAll && isPlain(value)) {
            m_text.append(value);
            ++m_cells;
            return;
        }
        m_cellStart = m_text.size();
        m_needsQuotes = false;
        m_afterCr = false;
        appendSpecial(value);
        end();
    }
    void emptyCells(std::size_t count);
    /// One cell with `values` joined by `separator`.
    void joined(const std::vector<std::string>& values, std::string_view separator);

    /// A cell written in pieces: begin(), any number of append(), end().
    void begin()
    {
        separate();
        m_cellStart = m_text.size();
        m_needsQuotes = false;
        m_afterCr = false;
    }
    void append(std::string_view piece)
    {
        if (isPlain(piece)) {
            m_text.append(piece);
            m_afterCr = m_afterCr && piece.empty();
            return;
        }
        appendSpecial(piece);
    }
    void append(char c) { append(std::string_view(&c, 1)); }
    void appendNumber(unsigned value);
    void end();

    void endLine();
    /// Cells written since the last endLine().
    std::size_t cellCount() const { return m_cells; }

private:
    void separate()
    {
        if (m_cells == 0)
            return;
        if (m_separatorChar != '\0')
            m_text.push_back(m_separatorChar);
        else
            m_text.append(m_style.separator);
    }
    /// No byte of `text` needs a second look: no quote, CR, LF or separator character.
    bool isPlain(std::string_view text) const
    {
        for (const char c : text) {
            if (m_special[static_cast<unsigned char>(c)])
                return false;
        }
        return true;
    }
    void appendSpecial(std::string_view piece);

    const CsvStyle& m_style;
    std::string& m_text;
    char m_separatorChar = '\0';  ///< the separator when it is one character
    bool m_special[256] = {};
    std::size_t m_cellStart = 0;
    std::size_t m_cells = 0;
    bool m_needsQuotes = false;
    bool m_afterCr = false;
};

}  // namespace brimwell::vcard::csv
