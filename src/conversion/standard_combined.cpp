#include "conversion/standard_combined.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "base/progress.h"
#include "conversion/combined_columns.h"
#include "conversion/header_list.h"
#include "conversion/multi_contact_split.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "textio/file_error.h"
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

/// What pass 1 keeps of the file it converts last (the one text, for a contact handed in):
/// its data lines and what its cut showed. When pass 2 meets that path again it replays the
/// cut's progress texts instead of reading and cutting the file a second time and, while the
/// switches still stand as pass 1 found them, writes the kept lines; otherwise it reads the
/// file again and recognises its lines anew. Both give the same bytes.
struct KeptFile {
    std::string path;
    ContactCut cut;
    RuleSwitches switches{};
    std::optional<RowKeeper> rows;
    bool complete = false;  ///< pass 1 read and converted the whole file without a failure
};

class CombinedConversion {
public:
    CombinedConversion(Window& window, std::string_view procedure, RuleSet rules, bool fromText,
                       const std::string& vcardText, LastFileKeeping keeping)
        : m_window(window),
          m_trap(window, "modCSV", procedure),
          m_ruleSet(rules),
          m_fromText(fromText),
          m_vcardText(vcardText),
          m_keeping(keeping)
    {}

    void run(const std::string& csvPath, const std::string& separator);

private:
    /// Goes through the listed files (only the first, for a given text) with the progress
    /// bar and text, handing each path to `convert` with whether it is the last.
    template <class Convert>
    void walkFiles(Convert convert);
    /// Pass 1 on one file: its column names, read as a stream and cut as it is read. The
    /// last file's data lines are built now too and kept for pass 2.
    void collectColumns(const std::string& path, bool last, HeaderList& headers,
                        const std::string& separator);
    /// Pass 2 on one file: its data lines, appended to the target.
    void writeRows(const std::string& path, const HeaderList& headers, RowBuilder& row,
                   TargetFile& target);
    /// The whole text of `path` (the given text, when converting one). Throws FileError.
    std::string_view readText(const std::string& path);
    void writeContacts(const std::vector<std::string_view>& contacts, const HeaderList& headers,
                       RowBuilder& row, TargetFile& target);
    /// The last progress text of a file, a repaint and a chance for the window's events.
    void finishFile(const std::string& path);

    Window& m_window;
    ErrorTrap m_trap;
    RuleSet m_ruleSet;
    bool m_fromText;
    const std::string& m_vcardText;
    LastFileKeeping m_keeping;
    std::string m_fileText;  ///< the text read last, its storage reused by the next read
    KeptFile m_kept;
};

/// Feeds every line of one contact to the rules.
void recognizeContact(std::string_view contact, PropertyRules& rules, FieldSink& sink)
{
    rules.startContact();
    // An empty contact gives one empty line, which names no property.
    splitLines(contact, LineEnds::Lf, [&](std::size_t begin, std::size_t length) {
        rules.recognize(contact.substr(begin, length), sink);
    });
}

template <class Convert>
void CombinedConversion::walkFiles(Convert convert)
{
    const int count = m_window.listCount();
    for (int i = 1; i <= count; ++i) {
        std::string path;
        m_trap.step(1,
                    [&] { m_window.setProgressValue(progressPercent(i, m_window.listCount())); });
        m_trap.step(2, [&] {
            path = m_window.listItem(i);
            m_window.setProgressText("Processing: " + GetFileName(path));
        });
        if (m_fromText && i > 1)
            return;
        convert(path, m_fromText || i == count);
    }
}

void CombinedConversion::finishFile(const std::string& path)
{
    m_trap.step(5, [&] {
        m_window.setProgressText("Processing: " + GetFileName(path));
        m_window.refresh();
        m_window.yield();
    });
}

void CombinedConversion::collectColumns(const std::string& path, bool last, HeaderList& headers,
                                        const std::string& separator)
{
    ColumnCollector collector(headers);
    RowKeeper* keeper = nullptr;
    last = last && m_keeping == LastFileKeeping::Keep;
    if (last) {
        m_kept.complete = false;
        m_kept.switches = RuleSwitches::read(m_window);
        keeper = &m_kept.rows.emplace(headers, separator);
    }
    FieldSink& sink = keeper != nullptr ? static_cast<FieldSink&>(*keeper) : collector;
    // Only the names count for the other files: the rules skip cleaning their values.
    PropertyRules rules(m_window, m_ruleSet,
                        last ? FieldParts::NamesAndValues : FieldParts::NamesOnly);
    const bool quotes = m_kept.switches.quotes == 1;
    const auto convert = [&](std::string_view contact) {
        if (keeper != nullptr)
            keeper->beginContact(contact);
        recognizeContact(contact, rules, sink);
        if (keeper != nullptr)
            keeper->endContact(quotes);
    };

    std::optional<TextStream> stream;
    const bool opened = m_trap.step(3, [&] {
        if (!m_fromText)
            stream.emplace(path);
    });
    // The contacts are converted as they are cut: a file is held in memory only a block
    // and a contact at a time.
    ContactCut cut;
    bool readWhole = true;
    const bool cutDone = m_trap.step(4, [&] {
        if (!stream) {
            cut = cutContacts(
                m_window, m_fromText ? std::string_view(m_vcardText) : std::string_view(), path);
            std::for_each(cut.contacts.begin(), cut.contacts.end(), convert);
            return;
        }
        const std::size_t columnsBefore = headers.size();
        try {
            cut = cutContacts(m_window, *stream, path, m_fileText, convert);
        } catch (const FileError& failure) {
            // A read that fails part way leaves a file that cannot be read, as one that fails
            // at once: reported, an empty text, and none of its columns.
            headers.truncate(columnsBefore);
            readWhole = false;
            m_trap.report(3, failure.what());
            cut = cutContacts(m_window, std::string_view(), path);
        }
    });
    finishFile(path);
    if (last) {
        m_kept.path = path;
        m_kept.cut = std::move(cut);
        m_kept.complete = opened && readWhole && cutDone && keeper->good();
    }
}

std::string_view CombinedConversion::readText(const std::string& path)
{
    if (m_fromText)
        return m_vcardText;
    readWholeText(path, m_fileText);
    return m_fileText;
}

void CombinedConversion::writeRows(const std::string& path, const HeaderList& headers,
                                   RowBuilder& row, TargetFile& target)
{
    const bool kept = m_kept.complete && path == m_kept.path;
    std::string_view text;
    ContactCut cut;
    m_trap.step(3, [&] {
        if (!kept)
            text = readText(path);
    });
    m_trap.step(4, [&] {
        if (kept)
            replayCut(m_window, path, m_kept.cut);
        else
            cut = cutContacts(m_window, text, path);
    });
    finishFile(path);
    m_trap.step(6, [&] {
        if (!kept)
            return writeContacts(cut.contacts, headers, row, target);
        const auto append = [&](std::string_view lines) { target.appendLines(lines); };
        if (RuleSwitches::read(m_window) == m_kept.switches &&
            m_kept.rows->replay(headers.size(), m_kept.switches.quotes == 1, append))
            return;
        // The kept lines cannot serve (a click during the yield changed how lines are shaped,
        // or they could not be read back): the file is read and cut again, without showing
        // it twice, and its lines recognised anew.
        try {
            text = readText(path);
        } catch (const FileError& failure) {
            m_trap.report(3, failure.what());
            text = {};
        }
        writeContacts(contactsOf(text), headers, row, target);
    });
}

void CombinedConversion::writeContacts(const std::vector<std::string_view>& contacts,
                                       const HeaderList& headers, RowBuilder& row,
                                       TargetFile& target)
{
    ValuePlacer placer(headers);
    PropertyRules rules(m_window, m_ruleSet);
    for (const std::string_view contact : contacts) {
        recognizeContact(contact, rules, placer);
        placer.buildRow(row, isTicked(m_window, Control::Check9));
        target.writeLine(row.finish(), kAppend);
        placer.clear();
    }
}

void CombinedConversion::run(const std::string& csvPath, const std::string& separator)
{
    HeaderList headers;
    walkFiles([&](const std::string& path, bool last) {
        collectColumns(path, last, headers, separator);
    });
    if (headers.empty())
        return;

    TargetFile target(csvPath, &m_window);
    RowBuilder row(separator);
    m_trap.step(7, [&] {
        const bool quotes = isTicked(m_window, Control::Check9);
        for (const auto& name : headers.names())
            row.append(name, RowKind::Header, quotes);
        target.writeLine(row.finish(), kReplace);
    });

    walkFiles([&](const std::string& path, bool) { writeRows(path, headers, row, target); });
    target.close();
}

}  // namespace

void convertCombined(Window& window, const std::string& csvPath, const std::string& separator,
                     RuleSet rules, bool fromText, const std::string& vcardText,
                     LastFileKeeping keeping)
{
    const std::string_view procedure =
        rules == RuleSet::All ? "ConvertVCFToSingleCSV" : "ConvertVCFToSingleCSVLimit";
    CombinedConversion(window, procedure, rules, fromText, vcardText, keeping)
        .run(csvPath, separator);
}

void ConvertVCFToSingleCSV(Window& window, const std::string& csvPath, const std::string& separator,
                           bool fromText, const std::string& vcardText)
{
    convertCombined(window, csvPath, separator, RuleSet::All, fromText, vcardText);
}

void ConvertVCFToSingleCSVLimit(Window& window, const std::string& csvPath,
                                const std::string& separator, bool fromText,
                                const std::string& vcardText)
{
    convertCombined(window, csvPath, separator, RuleSet::Filtered, fromText, vcardText);
}

}  // namespace brimwell
