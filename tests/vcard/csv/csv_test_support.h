#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

/// A CSV read back: lines end in CR LF, a quoted cell may hold CR LF and doubled quotes.
class Table {
public:
    explicit Table(std::string_view text)
    {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"' && !(quoted && text.substr(i, 2) == "\"\"")) {
                quoted = !quoted;
            } else if (quoted || (c != ',' && text.substr(i, 2) != "\r\n")) {
                cells.back().push_back(c);
                i += c == '"';  // a doubled quote is one
            } else if (c == ',') {
                cells.emplace_back();
            } else {
                m_lines.push_back(std::move(cells));
                cells.assign(1, {});
                ++i;
            }
        }
    }

    const std::vector<std::string>& header() const { return m_lines.at(0); }
    std::size_t rows() const { return m_lines.size() - 1; }
    bool hasColumn(std::string_view column) const
    {
        return std::ranges::find(header(), column) != header().end();
    }
    /// The cell of `column` in data row `row` (0-based); "<no column>" when there is none.
    std::string cell(std::size_t row, std::string_view column) const
    {
        const auto at = std::ranges::find(header(), column);
        return at == header().end() ? "<no column>" : m_lines.at(row + 1).at(at - header().begin());
    }
    /// Every data row has as many cells as the header.
    bool rectangular() const
    {
        return std::ranges::all_of(
            m_lines, [&](const auto& line) { return line.size() == header().size(); });
    }

private:
    std::vector<std::vector<std::string>> m_lines;
};

/// Data row `row` of `table` holds `cells`: "column=value", each ended by '|'.
inline void expectCells(const Table& table, std::size_t row, std::string_view cells)
{
    for (std::size_t end; (end = cells.find('|')) != cells.npos; cells.remove_prefix(end + 1)) {
        const std::string_view cell = cells.substr(0, end);
        const std::size_t equals = cell.find('=');
        EXPECT_EQ(table.cell(row, cell.substr(0, equals)), cell.substr(equals + 1)) << cell;
    }
    EXPECT_EQ(cells, "") << "a cell not ended by |";
}

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
    return DateValue{std::move(text), DateValue::Date{year, month, day}};
}

}  // namespace brimwell::vcard::csv::testing
