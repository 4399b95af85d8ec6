#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vcard/contact.h"
#include "vcard/csv/csv_row.h"
#include "vcard/csv/field_kinds.h"
#include "vcard/csv/row_spool.h"

namespace brimwell::vcard::csv {

/// The columns of one CSV layout and how a contact fills them. A combined CSV is written in
/// one pass over the contacts without keeping them: each row is written without the empty
/// cells that pad its numbered groups and kept aside (RowSpool) while the groups are sized;
/// once the last contact is in, the header and the padded rows follow:
///
///     GoogleLayout layout(kinds);
///     for (const Contact& c : contacts) {
///         layout.unpaddedRow(c, row, shape);   // also sizes the numbered groups
///         spool.add(row.text(), shape);
///         row.clear();
///     }
///     writer.writeHeader(layout);
///     while (spool.next(text, shape)) writer.writeRow(layout, text, shape);
///
/// Columns come in groups: a fixed group is written once; a numbered group (`E-mail 1 -
/// Label,E-mail 1 - Value`, `E-mail 2 - ...`) as often as the contact that needs it most,
/// with empty cells for contacts that have fewer values. A group whose kind the filter
/// does not keep is left out of the header and of every row.
class ContactCsvLayout {
public:
    virtual ~ContactCsvLayout() = default;

    void header(CsvRow& row) const;
    /// Writes the cells of `contact` into `row`, but not the empty cells that pad its
    /// numbered groups; `shape` tells where they go. Grows each numbered group to the number
    /// of values `contact` has for it.
    void unpaddedRow(const Contact& contact, CsvRow& row, UnpaddedRow& shape);
    /// Writes a row that unpaddedRow() gave as `text` and `shape`, padded to the header's
    /// width as it is now.
    void paddedRow(std::string_view text, const UnpaddedRow& shape, CsvRow& row) const;

    /// Grows each numbered group to at least its size in `other`, a layout of the same kind
    /// and filter that sized its groups on other contacts.
    void widenTo(const ContactCsvLayout& other);

    /// The numbered groups kept: the padding points of each UnpaddedRow.
    std::size_t numberedGroupCount() const;

    /// The number of columns header() writes.
    std::size_t columnCount() const;

    /// Values that found no column of their own and were written into another one (the
    /// Outlook layout's Notes), over all rows written so far; 0 for the other layouts.
    virtual std::size_t valuesMovedToNotes() const { return 0; }

protected:
    explicit ContactCsvLayout(FieldKinds kinds) : m_kinds(kinds) {}

    using CountValues = std::function<std::size_t(const Contact&)>;
    /// Writes the cells of value `index` (0-based) of a numbered group, or of the fixed
    /// group (index 0): exactly as many cells as the group has columns.
    using WriteCells = std::function<void(const Contact&, std::size_t index, CsvRow&)>;

    /// `columns` are the column names; in a numbered group a `#` in a name stands for the
    /// group's number (`E-mail # - Value`).
    void addFixed(FieldKind kind, std::vector<std::string_view> columns, WriteCells write);
    void addNumbered(FieldKind kind, std::vector<std::string_view> columns, CountValues count,
                     WriteCells write);

    /// Runs before the groups of a row are written: room for work that several groups share.
    virtual void prepare(const Contact&) {}

    const FieldKinds& kinds() const { return m_kinds; }

    /// One cell with the date as appendIsoDate() writes it, built in a buffer kept from row
    /// to row.
    void dateCell(const DateValue& date, CsvRow& row);

private:
    struct Group {
        FieldKind kind;
        std::vector<std::string_view> columns;
        CountValues count;  ///< empty for a fixed group
        WriteCells write;
        std::size_t repeat;  ///< 1 for a fixed group; the measured count for a numbered one
    };

    FieldKinds m_kinds;
    std::vector<Group> m_groups;
    std::string m_date;
};

}  // namespace brimwell::vcard::csv
