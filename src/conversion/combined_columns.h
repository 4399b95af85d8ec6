#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/header_list.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "textio/byte_spool.h"

// The column bookkeeping of the combined converter: finding a field's column fast, and
// the sinks of its two passes. Not for other converters.
namespace brimwell::combined {

/// Pass 1: every column name, in order of first appearance.
class ColumnCollector : public FieldSink {
public:
    explicit ColumnCollector(HeaderList& headers) : m_headers(headers) {}
    void field(std::string_view name, std::string_view value) override;

protected:
    /// The column of `name`, added at the end when it is new.
    std::size_t column(std::string_view name);
    const HeaderList& headers() const { return m_headers; }

private:
    HeaderList& m_headers;
};

/// Pass 2: one contact's values, each under its column.
class ValuePlacer final : public FieldSink {
public:
    explicit ValuePlacer(const HeaderList& headers) : m_headers(headers), m_values(headers.size())
    {}
    void field(std::string_view name, std::string_view value) override;

    /// Empties every value for the next contact.
    void clear();
    /// The contact's data line, by the row rule.
    void buildRow(RowBuilder& row, bool quotes) const;

private:
    const HeaderList& m_headers;
    std::vector<std::string> m_values;
};

/// Pass 1 on the file it converts last: collects the columns like ColumnCollector and also
/// keeps each contact's data line, built under the columns known when the contact ends.
/// A column added later is one the contact lacks, so pass 2 gets the full line by adding
/// empty columns (widening), without reading and recognising the file again. The lines
/// wait, each with its CR LF, in a ByteSpool: past a block, in a temporary file rather
/// than in memory; those built under the full header go to the target as they are.
class RowKeeper final : public ColumnCollector {
public:
    RowKeeper(HeaderList& headers, const std::string& separator);
    /// Starts a contact whose text `contact` lives until endContact: a value that is a
    /// piece of it is kept as a view, any other is copied.
    void beginContact(std::string_view contact) { m_contact = contact; }
    void field(std::string_view name, std::string_view value) override;

    /// Ends a contact: builds and keeps its data line.
    void endContact(bool quotes);
    /// True while every line is kept. A separator holding a line feed keeps none: the
    /// kept lines could not be told apart.
    bool good() const { return m_separable && m_rows.good(); }
    /// Hands the kept lines, widened to `columns` columns exactly as the row rule builds
    /// them under the full header and each ended by CR LF, to `onLines`, in pieces of one
    /// or more lines. False when the lines cannot be read back; throws std::runtime_error
    /// when that happens after some were handed on.
    bool replay(std::size_t columns, bool quotes,
                const std::function<void(std::string_view)>& onLines);

private:
    /// A value of the contact: a view of its text, or where its copy stands in m_values
    /// (an empty one anywhere).
    struct Cell {
        const char* view = nullptr;
        std::size_t begin = 0;
        std::size_t size = 0;
    };
    /// From byte `firstByte` of the kept lines on, they were built under `columns` columns.
    struct Width {
        std::size_t firstByte;
        std::size_t columns;
    };

    /// Moves the lines built so far into the spool.
    void keepEndedLines();
    /// Widens the complete lines of `bytes` (after what an earlier piece left of its last
    /// line) from `from` columns to `to`, and hands each to `onLines`.
    void widenLines(std::string_view bytes, std::size_t from, std::size_t to, bool quotes,
                    const std::function<void(std::string_view)>& onLines);

    std::string_view m_contact;
    std::string m_values;       ///< the copied values of the contact, one after another
    std::vector<Cell> m_cells;  ///< by column
    RowBuilder m_row;
    std::string m_separator;
    bool m_separable;
    ByteSpool m_rows;
    std::vector<Width> m_widths;
    std::string m_partial;  ///< the start of a line being widened, cut off by a piece's end
    std::string m_widened;
};

}  // namespace brimwell::combined
