#include "conversion/standard_combined.h"

#include <optional>
#include <string_view>
#include <vector>

#include "app/error_trap.h"
#include "app/progress.h"
#include "conversion/combined_columns.h"
#include "conversion/header_list.h"
#include "conversion/multi_contact_split.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "textio/paths.h"
#include "textio/text_reader.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

using combined::ColumnCollector;
using combined::RowKeeper;
using combined::ValuePlacer;

/// The window's switches that decide what the rules and the row rule make of a text.
struct RuleSwitches {
    int quotes;
    int removeLineBreaks;
    int emails;
    int phones;
    int names;
    int addresses;

    static RuleSwitches read(const Window& window)
    {
        return {window.checkValue(Control::Check9), window.checkValue(Control::Check10),
                window.checkValue(Control::Check3), window.checkValue(Control::Check4),
                window.checkValue(Control::Check6), window.checkValue(Control::Check8)};
    }
    bool operator==(const RuleSwitches&) const = default;
};

/// What pass 1 keeps of the file it converts last (the one text, for a contact handed in).
/// When pass 2 meets that path again it takes the text kept instead of reading the file a
/// second time, cuts it again (so the progress bar shows exactly what it always shows), and,
/// while the switches still stand as pass 1 found them, writes the kept data lines instead
/// of recognising every line again: both give the same bytes. The switches cannot change
/// while a file's contacts are converted, since that step lets no window events run.
struct KeptFile {
    std::string path;
    std::string text;  ///< the file's text (a contact handed in stays where it is)
    ContactCut cut;
    RuleSwitches switches{};
    std::optional<RowKeeper> rows;
    bool complete = false;  ///< pass 1 converted the whole file without a failure
};

enum class Pass { Columns, Rows };

class CombinedConversion {
public:
    CombinedConversion(Window& window, std::string_view procedure, RuleSet rules, bool fromText,
                       const std::string& vcardText)
        : m_window(window), m_trap(window, "modCSV", procedure), m_ruleSet(rules),
          m_fromText(fromText), m_vcardText(vcardText)
    {
    }

    void run(const std::string& csvPath, const std::string& separator);

private:
    struct Contacts {
        const std::string& path;
        std::string_view text;
        const std::vector<std::string_view>& contacts;
        bool whole;  ///< the file was read and cut without a failure
        bool last;   ///< the last file of the pass
        bool kept;   ///< the text is the one pass 1 kept
    };

    /// Goes through the listed files (or the given text), reading and cutting each into
    /// contacts and driving the progress bar, and hands each file's contacts to `convert`.
    /// Pass 1 reads its last file into the kept text; pass 2 takes that text and its cut
    /// for the same path.
    template <class Convert>
    void walkFiles(Pass pass, Convert convert);
    /// Feeds every line of every contact to the rules, with the sink's hooks around each
    /// contact.
    template <class EndContact>
    void recognizeContacts(const Contacts& file, PropertyRules& rules, FieldSink& sink,
                           EndContact endContact);
    void collectColumns(const Contacts& file, HeaderList& headers, const std::string& separator);
    void writeRows(const Contacts& file, const HeaderList& headers, RowBuilder& row,
                   TargetFile& target);

    Window& m_window;
    ErrorTrap m_trap;
    RuleSet m_ruleSet;
    bool m_fromText;
    const std::string& m_vcardText;
    std::string m_fileText;  ///< the file read last, its storage reused by the next read
    KeptFile m_kept;
};

template <class Convert>
void CombinedConversion::walkFiles(Pass pass, Convert convert)
{
    const int count = m_window.listCount();
    for (int i = 1; i <= count; ++i) {
        std::string path;
        std::string_view text;
        bool read = false;
        ContactCut cut;
        m_trap.step(1, [&] { m_window.setProgressValue(progressPercent(i, m_window.listCount())); });
        m_trap.step(2, [&] {
            path = m_window.listItem(i);
            m_window.setProgressText("Processing: " + GetFileName(path));
        });
        if (m_fromText && i > 1)
            return;
        const bool last = m_fromText || i == count;
        const bool kept = pass == Pass::Rows && m_kept.complete && path == m_kept.path;
        if (pass == Pass::Columns && last)
            m_kept.complete = false;
        m_trap.step(3, [&] {
            if (m_fromText) {
                text = m_vcardText;
            } else if (kept) {
                text = m_kept.text;
            } else {
                std::string& buffer = pass == Pass::Columns && last ? m_kept.text : m_fileText;
                readWholeText(path, buffer);
                text = buffer;  // a file that cannot be read stays an empty text
            }
            read = true;
        });
        // The contacts are cut as SplitMultiVCF cuts them, but stay views into the text.
        const bool cutDone = m_trap.step(4, [&] {
            if (kept)
                replayCut(m_window, text, path, m_kept.cut);
            else
                cut = cutContacts(m_window, text, path);
        });
        m_trap.step(5, [&] {
            m_window.setProgressText("Processing: " + GetFileName(path));
            m_window.refresh();
            m_window.yield();
        });
        const auto& contacts = kept ? m_kept.cut.contacts : cut.contacts;
        m_trap.step(6, [&] { convert(Contacts{path, text, contacts, read && cutDone, last, kept}); });
        if (pass == Pass::Columns && last && m_kept.complete)
            m_kept.cut = std::move(cut);
    }
}

template <class EndContact>
void CombinedConversion::recognizeContacts(const Contacts& file, PropertyRules& rules,
                                           FieldSink& sink, EndContact endContact)
{
    for (std::string_view contact : file.contacts) {
        rules.startContact();
        while (!contact.empty()) {
            const auto lineEnd = contact.find('\n');
            rules.recognize(contact.substr(0, lineEnd), sink);
            contact = lineEnd == std::string_view::npos ? std::string_view() : contact.substr(lineEnd + 1);
        }
        endContact();
    }
}

void CombinedConversion::collectColumns(const Contacts& file, HeaderList& headers,
                                        const std::string& separator)
{
    if (!file.last) {
        // Only the names count in this pass: the rules skip cleaning values.
        ColumnCollector collector(headers);
        PropertyRules rules(m_window, m_ruleSet, FieldParts::NamesOnly);
        recognizeContacts(file, rules, collector, [] {});
        return;
    }
    // The last file's lines are built now and kept for pass 2 with its text and its cut
    // (unless the file could not be read: then pass 2 reads it again, and reports it again).
    m_kept.switches = RuleSwitches::read(m_window);
    RowKeeper& keeper = m_kept.rows.emplace(headers, separator);
    keeper.reserve(file.text.size());
    PropertyRules rules(m_window, m_ruleSet);
    recognizeContacts(file, rules, keeper, [&] { keeper.endContact(m_kept.switches.quotes == 1); });
    m_kept.path = file.path;
    m_kept.complete = file.whole;
}

void CombinedConversion::writeRows(const Contacts& file, const HeaderList& headers, RowBuilder& row,
                                   TargetFile& target)
{
    if (file.kept && RuleSwitches::read(m_window) == m_kept.switches &&
        m_kept.rows->rowCount() == file.contacts.size()) {
        const bool quotes = m_kept.switches.quotes == 1;
        for (std::size_t k = 0; k < m_kept.rows->rowCount(); ++k)
            target.writeLine(m_kept.rows->row(k, headers.size(), quotes), kAppend);
        return;
    }
    ValuePlacer placer(headers);
    PropertyRules rules(m_window, m_ruleSet);
    recognizeContacts(file, rules, placer, [&] {
        placer.buildRow(row, m_window.checkValue(Control::Check9) == 1);
        target.writeLine(row.finish(), kAppend);
        placer.clear();
    });
}

void CombinedConversion::run(const std::string& csvPath, const std::string& separator)
{
    HeaderList headers;
    walkFiles(Pass::Columns, [&](const Contacts& file) { collectColumns(file, headers, separator); });
    if (headers.empty())
        return;

    TargetFile target(csvPath, &m_window);
    RowBuilder row(separator);
    m_trap.step(7, [&] {
        const bool quotes = m_window.checkValue(Control::Check9) == 1;
        for (const auto& name : headers.names())
            row.append(name, RowKind::Header, quotes);
        target.writeLine(row.finish(), kReplace);
    });

    walkFiles(Pass::Rows, [&](const Contacts& file) { writeRows(file, headers, row, target); });
    target.close();
}

}  // namespace

void ConvertVCFToSingleCSV(Window& window, const std::string& csvPath, const std::string& separator,
                           bool fromText, const std::string& vcardText)
{
    CombinedConversion(window, "ConvertVCFToSingleCSV", RuleSet::All, fromText, vcardText)
        .run(csvPath, separator);
}

void ConvertVCFToSingleCSVLimit(Window& window, const std::string& csvPath,
                                const std::string& separator, bool fromText,
                                const std::string& vcardText)
{
    CombinedConversion(window, "ConvertVCFToSingleCSVLimit", RuleSet::Filtered, fromText, vcardText)
        .run(csvPath, separator);
}

}  // namespace brimwell
