#pragma once

#include <optional>
#include <string>

#include "base/window.h"
#include "conversion/combined_columns.h"
#include "conversion/header_list.h"
#include "conversion/multi_contact_split.h"
#include "textio/text_writer.h"

namespace brimwell::combined {

/// The window's switches that decide what the rules and the row rule make of a text.
struct RuleSwitches {
    int quotes;
    int removeLineBreaks;
    int emails;
    int phones;
    int names;
    int addresses;

    static RuleSwitches read(const Window& window);
    bool operator==(const RuleSwitches&) const = default;
};

/// What pass 1 of the combined converter keeps of the file it converts last (the one text,
/// for a contact handed in): its data lines and what its cut showed. When pass 2 meets
/// that file again it replays the cut's progress texts instead of reading and cutting the
/// file a second time and, while the switches still stand as pass 1 found them, writes
/// the kept lines; otherwise it declines, and the file is read again and its lines
/// recognised anew. Both give the same bytes.
class KeptFile {
public:
    /// Starts keeping a file: the sink pass 1 feeds its contacts to, under the columns
    /// found so far.
    RowKeeper& keep(const Window& window, HeaderList& headers, const std::string& separator);
    /// Whether the kept lines are built with quotes.
    bool quotes() const { return m_switches.quotes == 1; }
    /// Pass 1 is done with the file at `path`; `whole` when it read and converted all of it
    /// without a failure (only then can pass 2 use what was kept).
    void finish(const std::string& path, ContactCut cut, bool whole);

    /// True when pass 2's file at `path` is the one kept whole.
    bool holds(const std::string& path) const { return m_whole && path == m_path; }
    /// Shows the progress texts the kept file's cut showed, as cutting it again would.
    void replayCut(Window& window, const std::string& path) const;
    /// Appends the kept lines, widened to `columns` columns, to `target`; false, having
    /// written nothing, when they cannot serve (a switch changed since pass 1, or the lines
    /// cannot be read back). Throws std::runtime_error when reading back fails part way.
    bool replayRows(const Window& window, std::size_t columns, TargetFile& target);

private:
    std::string m_path;
    ContactCut m_cut;
    RuleSwitches m_switches{};
    std::optional<RowKeeper> m_rows;
    bool m_whole = false;
};

}  // namespace brimwell::combined
