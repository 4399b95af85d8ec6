#include "conversion/standard_combined.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "base/progress.h"
#include "conversion/combined_columns.h"
#include "conversion/header_list.h"
#include "conversion/kept_file.h"
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
using combined::KeptFile;
using combined::RowKeeper;
using combined::ValuePlacer;

class CombinedConversion {
public:
    CombinedConversion(Window& window, std::string_view procedure, RuleSet rules, bool fromText,
                       const std::string& vcardText, LastFileKeeping keeping)
        : m_window(window),
          m_trap(window, "modCSV", procedure),
          m_ruleSet(rules),
          m_fromText(fromText),
          m_vcardText(vcardText)
    {
        if (keeping == LastFileKeeping::Keep)
            m_kept.emplace();
    }

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
    std::string m_fileText;          ///< the text read last, its storage reused by the next read
    std::optional<KeptFile> m_kept;  ///< none: pass 2 reads every file again
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
    RowKeeper* keeper = last && m_kept ? &m_kept->keep(m_window, headers, separator) : nullptr;
    FieldSink& sink = keeper != nullptr ? static_cast<FieldSink&>(*keeper) : collector;
    // Only the names count for the other files: the rules skip cleaning their values.
    PropertyRules rules(m_window, m_ruleSet,
                        keeper != nullptr ? FieldParts::NamesAndValues : FieldParts::NamesOnly);
    const bool quotes = keeper != nullptr && m_kept->quotes();
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
    if (keeper != nullptr)
        m_kept->finish(path, std::move(cut), opened && readWhole && cutDone);
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
    const bool kept = m_kept && m_kept->holds(path);
    std::string_view text;
    ContactCut cut;
    m_trap.step(3, [&] {
        if (!kept)
            text = readText(path);
    });
    m_trap.step(4, [&] {
        if (kept)
            m_kept->replayCut(m_window, path);
        else
            cut = cutContacts(m_window, text, path);
    });
    finishFile(path);
    m_trap.step(6, [&] {
        if (!kept)
            return writeContacts(cut.contacts, headers, row, target);
        if (m_kept->replayRows(m_window, headers.size(), target))
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
