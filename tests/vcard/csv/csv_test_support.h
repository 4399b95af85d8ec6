#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vcard/contact.h"
#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/contact_csv_writer.h"
#include "vcard/csv/row_spool.h"

// What the layout tests share: writing contacts through a layout into a string, and
// reading the result back as a table of cells.

namespace brimwell::vcard::csv::testing {

/// The rows of `contacts` as the job spools them, without their padding; the layout's
/// numbered groups sized by them. Rewound, ready for writeRows().
inline RowSpool spoolRows(ContactCsvLayout& layout, const std::vector<Contact>& contacts,
                          const CsvStyle& style = {})
{
    RowSpool spool(layout.numberedGroupCount());
    CsvRow row(style);
    UnpaddedRow shape;
    for (const Contact& contact : contacts) {
        layout.unpaddedRow(contact, row, shape);
        spool.add(row.text(), shape);
        row.clear();
    }
    spool.rewind();
    return spool;
}

/// The header and the padded rows of `spool`.
inline void writeRows(ContactCsvWriter& writer, const ContactCsvLayout& layout, RowSpool& spool)
{
    writer.writeHeader(layout);
    std::string text;
    UnpaddedRow shape;
    while (spool.next(text, shape))
        writer.writeRow(layout, text, shape);
}

/// The whole CSV of `contacts`, written as the job writes it.
inline std::string writeCsv(ContactCsvLayout& layout, const std::vector<Contact>& contacts,
                            const CsvStyle& style = {}, std::string_view encoding = "utf-8")
{
    RowSpool spool = spoolRows(layout, contacts, style);
    std::ostringstream out;
    ContactCsvWriter writer(out, style, encoding);
    writeRows(writer, layout, spool);
    writer.finish();
    return out.str();
}

/// The lines of comma-separated `text`, each split into its cells (quotes removed, doubled
/// quotes single again). Lines end in CR LF; a quoted cell may hold CR LF.
inline std::vector<std::vector<std::string>> readCsv(std::string_view text)
{
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell.push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            cells.push_back(std::move(cell));
            cell.clear();
            lines.push_back(std::move(cells));
            cells.clear();
            ++i;
        } else {
            cell.push_back(c);
        }
    }
    return lines;
}

/// A CSV read back, its cells looked up by column name.
class Table {
public:
    explicit Table(std::string_view text) : m_lines(readCsv(text)) {}

    const std::vector<std::string>& header() const { return m_lines.at(0); }
    std::size_t rows() const { return m_lines.size() - 1; }
    /// The cell of `column` in data row `row` (0-based); "<no column>" when there is none.
    std::string cell(std::size_t row, std::string_view column) const
    {
        const std::vector<std::string>& names = header();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == column)
                return m_lines.at(row + 1).at(i);
        }
        return "<no column>";
    }
    bool hasColumn(std::string_view column) const
    {
        for (const std::string& name : header()) {
            if (name == column)
                return true;
        }
        return false;
    }
    /// Every data row has as many cells as the header.
    bool rectangular() const
    {
        for (const auto& line : m_lines) {
            if (line.size() != header().size())
                return false;
        }
        return true;
    }

private:
    std::vector<std::vector<std::string>> m_lines;
};

inline TypedValue typed(std::string value, std::vector<std::string> types = {}, int preference = 0,
                        std::string label = {})
{
    TypedValue result;
    result.value = std::move(value);
    result.attributes.types = std::move(types);
    result.attributes.preference = preference;
    result.attributes.label = std::move(label);
    return result;
}

inline DateValue date(std::string text, int year, int month, int day)
{
    DateValue result;
    result.text = std::move(text);
    result.date = DateValue::Date{year, month, day};
    return result;
}

}  // namespace brimwell::vcard::csv::testing
