#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brimwell::vcard::csv {

/// A row without the empty cells that pad its numbered groups to the header's width. Its
/// cells, as CsvRow wrote them, are cut into runs at the padding points (one after each
/// numbered group); `values` holds the number of values the row has in each numbered group.
struct UnpaddedRow {
    struct Run {
        std::uint32_t bytes = 0;
        std::uint32_t cells = 0;
    };
    std::vector<Run> runs;  ///< one more than there are padding points
    std::vector<std::uint32_t> values;
};

/// Keeps rows in a temporary file until the header can be written, then hands them back in
/// the order they came. The file is unlinked as soon as it is made, so that nothing is left
/// behind when the program ends early. Each row is a fixed number of uint32s (the runs'
/// byte lengths and cell counts, then the value counts) followed by its bytes.
///
///     RowSpool spool(layout.numberedGroupCount());
///     spool.add(row.text(), shape);                  // once a contact
///     spool.rewind();
///     while (spool.next(text, shape)) assemble(text, shape);
class RowSpool {
public:
    /// Throws std::runtime_error when the temporary file cannot be made.
    explicit RowSpool(std::size_t paddingPoints);

    /// Throws std::runtime_error when the row cannot be written.
    void add(std::string_view text, const UnpaddedRow& row);
    std::size_t rowCount() const { return m_rows; }

    /// Adds the rows of `other`, a spool of the same layout, after these (also after a
    /// rewind()); `other` is left rewound. Throws std::runtime_error when a file cannot be
    /// read or written.
    void append(RowSpool& other);

    /// The rows added so far, to go back to when the rows after them must be dropped.
    struct Mark {
        std::size_t rows;
        std::uintmax_t bytes;
        std::fpos_t end;
    };
    Mark mark() const;
    void dropAfter(const Mark& mark);

    /// Starts handing the rows back from the first; next() gives one row at a time and false
    /// after the last. Both throw std::runtime_error when the file cannot be read.
    void rewind();
    bool next(std::string& text, UnpaddedRow& row);

private:
    /// The bytes the file's stream gathers between two system calls.
    static constexpr std::size_t kBufferSize = std::size_t{1} << 18;

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    [[noreturn]] static void fail(const char* what);

    /// The stream's buffer, which must outlive the stream (so it is destroyed after it).
    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<std::FILE, Closer> m_file;
    std::size_t m_paddingPoints;
    std::size_t m_rows = 0;
    std::uintmax_t m_bytes = 0;  ///< the bytes of the rows kept
    std::size_t m_read = 0;      ///< rows handed back since rewind()
    std::vector<std::uint32_t> m_header;
};

}  // namespace brimwell::vcard::csv
