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

/// a == b without a library call, for texts as short as column names: eight characters
/// at a time, the last eight overlapping the ones before.
inline bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a.size() < 8)
        return std::equal(a.begin(), a.end(), b.begin());
    const auto word = [](const char* at) {
        std::uint64_t bits;
        std::memcpy(&bits, at, 8);
        return bits;
    };
    for (std::size_t at = 0; at + 8 < a.size(); at += 8) {
        if (word(a.data() + at) != word(b.data() + at))
            return false;
    }
    return word(a.data() + a.size() - 8) == word(b.data() + b.size() - 8);
}

/// isHeaderExists with a memory. The rules hand over column names from their constant
/// tables (and numbered names they keep in place), so a name asked for before comes again
/// at the same address; a small table keyed by the address answers it without hashing,
/// once it has checked that the column it remembers still has that name.
class ColumnFinder {
public:
    explicit ColumnFinder(const HeaderList& headers) : m_headers(headers) {}

    long find(std::string_view name)
    {
        // The address's bits mixed by a multiplication; the top ones pick the slot.
        const auto mixed = reinterpret_cast<std::uintptr_t>(name.data()) * 0x9E3779B97F4A7C15ull;
        Remembered& slot = m_remembered[static_cast<std::size_t>(mixed >> (64 - kSlotBits))];
        if (slot.address == name.data() && sameText(m_headers.names()[slot.index], name))
            return static_cast<long>(slot.index);
        const long index = isHeaderExists(name, m_headers);
        if (index != -1)
            slot = {name.data(), static_cast<std::size_t>(index)};
        return index;
    }

private:
    struct Remembered {
        const char* address = nullptr;
        std::size_t index = 0;
    };
    static constexpr int kSlotBits = 8;  // far more slots than a layout has columns
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

    const HeaderList& m_headers;
    std::array<Remembered, kSlots> m_remembered{};
};

/// Pass 1: every column name, in order of first appearance.
class ColumnCollector : public FieldSink {
public:
    explicit ColumnCollector(HeaderList& headers) : m_headers(headers), m_columns(headers) {}
    void field(std::string_view name, std::string_view value) override;

protected:
    /// The column of `name`, added at the end when it is new.
    std::size_t column(std::string_view name);
    const HeaderList& headers() const { return m_headers; }

private:
    HeaderList& m_headers;
    ColumnFinder m_columns;
};

/// Pass 2: one contact's values, each under its column.
class ValuePlacer final : public FieldSink {
public:
    explicit ValuePlacer(const HeaderList& headers) : m_columns(headers), m_values(headers.size())
    {}
    void field(std::string_view name, std::string_view value) override;

    /// Empties every value for the next contact.
    void clear();
    /// The contact's data line, by the row rule.
    void buildRow(RowBuilder& row, bool quotes) const;

private:
    ColumnFinder m_columns;
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
