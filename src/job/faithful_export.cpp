#include "job/faithful_export.h"

#include <streambuf>

#include "base/error_trap.h"
#include "base/progress.h"
#include "conversion/output_path.h"
#include "job/part_rows.h"
#include "textio/paths.h"
#include "textio/text_writer.h"
#include "vcard/card_boundary.h"
#include "vcard/csv/contact_csv_writer.h"
#include "vcard/csv/csv_layouts.h"
#include "vcard/csv/row_spool.h"
#include "vcard/reader.h"
#include "vcard/two_part_read.h"

namespace brimwell {

namespace {

/// Warnings listed one by one in the report; the rest are counted.
constexpr std::size_t kWarningsListed = 20;
/// Contacts read between two yields, so that a click (or closing the window) gets through.
constexpr long kContactsPerYield = 500;

/// A stream buffer that hands every block the CSV writer writes to a TargetFile, so that
/// the bytes are on disk even when the window is closed in the middle of the run.
class TargetFileBuffer : public std::streambuf {
public:
    explicit TargetFileBuffer(TargetFile& target) : m_target(target) {}

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        if (m_target.appendLines({bytes, static_cast<std::size_t>(count)}) != 0)
            return 0;
        return count;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }

private:
    TargetFile& m_target;
};

/// A spoolContacts() step that lets the window yield every kContactsPerYield contacts.
auto yieldEvery(Window& window)
{
    return [&window, contacts = 0L]() mutable {
        if (++contacts % kContactsPerYield == 0)
            window.yield();
        return true;
    };
}

std::string plural(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::size_t FaithfulExport::spoolRows(const std::vector<std::string>& sources,
                                      vcard::csv::ContactCsvLayout& layout,
                                      vcard::csv::RowSpool& spool)
{
    vcard::csv::CsvRow row(m_options.style);
    std::size_t movedToNotes = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string& path = sources[i];
        m_window.setProgressValue(
            progressPercent(static_cast<long long>(i), static_cast<long long>(sources.size())));
        m_window.setProgressText("Processing: " + GetFileName(path));
        m_window.yield();
        const vcard::csv::RowSpool::Mark start = spool.mark();
        std::size_t moved = 0;
        if (m_trap.step(7, [&] { moved = spoolFile(path, layout, spool, row); })) {
            movedToNotes += moved;
        } else {
            // The rows go; the groups keep the sizes the file's first contacts gave them.
            spool.dropAfter(start);
            row.clear();
        }
    }
    return movedToNotes;
}

std::size_t FaithfulExport::spoolFile(const std::string& path, vcard::csv::ContactCsvLayout& layout,
                                      vcard::csv::RowSpool& spool, vcard::csv::CsvRow& row)
{
    if (const auto cut = vcard::middleCardBoundary(path, m_options.splitFromBytes))
        if (const auto moved = spoolInTwoParts(path, *cut, layout, spool, row))
            return *moved;
    vcard::VCardReader reader(std::filesystem::path(path), m_options.reader);
    const std::size_t movedBefore = layout.valuesMovedToNotes();
    spoolContacts(reader, layout, spool, row, yieldEvery(m_window));
    m_warnings.insert(m_warnings.end(), reader.warnings().begin(), reader.warnings().end());
    return layout.valuesMovedToNotes() - movedBefore;
}

std::optional<std::size_t> FaithfulExport::spoolInTwoParts(const std::string& path,
                                                           std::uintmax_t cut,
                                                           vcard::csv::ContactCsvLayout& layout,
                                                           vcard::csv::RowSpool& spool,
                                                           vcard::csv::CsvRow& row)
{
    const auto earlierLayout = vcard::csv::makeLayout(m_options.layout, m_options.kinds);
    const auto laterLayout = vcard::csv::makeLayout(m_options.layout, m_options.kinds);
    vcard::csv::RowSpool laterSpool(laterLayout->numberedGroupCount());
    vcard::csv::CsvRow laterRow(m_options.style);
    PartRows earlier{*earlierLayout, spool, row};
    PartRows later{*laterLayout, laterSpool, laterRow};
    const vcard::csv::RowSpool::Mark start = spool.mark();
    if (!vcard::readInTwoParts(std::filesystem::path(path), cut, m_options.reader, earlier, later,
                               spoolPart, yieldEvery(m_window), m_warnings)) {
        // The cut was inside a card after all: the file is read again in one part.
        spool.dropAfter(start);
        return std::nullopt;
    }
    spool.append(laterSpool);
    layout.widenTo(*earlierLayout);
    layout.widenTo(*laterLayout);
    return earlierLayout->valuesMovedToNotes() + laterLayout->valuesMovedToNotes();
}

void FaithfulExport::convert(const std::vector<std::string>& sources, const std::string& target)
{
    auto layout = vcard::csv::makeLayout(m_options.layout, m_options.kinds);
    // The header can only be written once every contact has sized the numbered groups: the
    // rows wait in the spool meanwhile, without their padding.
    vcard::csv::RowSpool spool(layout->numberedGroupCount());
    const std::size_t movedToNotes = spoolRows(sources, *layout, spool);

    DeleteFileQuiet(m_window, target);
    TargetFile file(target, &m_window);
    TargetFileBuffer buffer(file);
    std::ostream out(&buffer);
    vcard::csv::ContactCsvWriter writer(out, m_options.style, m_options.encoding);
    writer.writeHeader(*layout);
    std::string text;
    vcard::csv::UnpaddedRow shape;
    spool.rewind();
    for (long rows = 1; spool.next(text, shape); ++rows) {
        writer.writeRow(*layout, text, shape);
        if (rows % kContactsPerYield == 0)
            m_window.yield();
    }
    writer.finish();
    m_unmappable += writer.unmappableCount();
    m_movedToNotes += movedToNotes;
}

void FaithfulExport::writeOneCsv(const std::string& target)
{
    std::vector<std::string> sources;
    for (int i = 1; i <= m_window.listCount(); ++i)
        sources.push_back(m_window.listItem(i));
    convert(sources, target);
}

void FaithfulExport::writeCsvPerFile()
{
    for (int i = 1; i <= m_window.listCount(); ++i) {
        const std::string source = m_window.listItem(i);
        std::string target;
        if (!clearPerFileTarget(m_trap, m_window, source, target) || target.empty())
            continue;
        m_trap.step(7, [&] { convert({source}, target); });
    }
}

std::string FaithfulExport::report() const
{
    std::string text;
    auto line = [&text](const std::string& sentence) {
        if (!text.empty())
            text += '\n';
        text += sentence;
    };
    if (!m_warnings.empty()) {
        line("Some vCards could not be read perfectly:");
        for (std::size_t i = 0; i < m_warnings.size() && i < kWarningsListed; ++i)
            line(m_warnings[i]);
        if (m_warnings.size() > kWarningsListed)
            line("... and " +
                 plural(m_warnings.size() - kWarningsListed, "more warning.", "more warnings."));
    }
    if (m_movedToNotes > 0)
        line(m_movedToNotes == 1
                 ? std::string("1 value without a column of its own went to Notes with its label.")
                 : std::to_string(m_movedToNotes) +
                       " values without a column of their own went to Notes, each with its "
                       "label.");
    if (m_unmappable > 0)
        line(plural(m_unmappable, "character is", "characters are") + " not in " +
             m_options.encoding + " and " + (m_unmappable == 1 ? "was" : "were") +
             " written as \"?\".");
    return text;
}

}  // namespace brimwell
