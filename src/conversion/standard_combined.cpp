#include "conversion/standard_combined.h"

#include <functional>
#include <string_view>
#include <vector>

#include "app/error_trap.h"
#include "app/progress.h"
#include "conversion/header_list.h"
#include "conversion/multi_contact_split.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "textio/paths.h"
#include "textio/text_reader.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

/// Pass 1: every column name, in order of first appearance.
struct ColumnCollector final : FieldSink {
    HeaderList& headers;
    explicit ColumnCollector(HeaderList& list) : headers(list) {}
    void field(std::string_view name, std::string_view) override
    {
        if (isHeaderExists(name, headers) == -1)
            headers.add(name);
    }
};

/// Pass 2: one contact's values, each under its column.
struct ValuePlacer final : FieldSink {
    const HeaderList& headers;
    std::vector<std::string> values;
    explicit ValuePlacer(const HeaderList& list) : headers(list), values(list.size()) {}
    void field(std::string_view name, std::string_view value) override
    {
        // A column unknown to the header (a filter box ticked between the passes) has no place.
        const long index = isHeaderExists(name, headers);
        if (index != -1)
            values[static_cast<std::size_t>(index)].assign(value);
    }
};

class CombinedConversion {
public:
    CombinedConversion(Window& window, std::string_view procedure, RuleSet rules, bool fromText,
                       const std::string& vcardText)
        : m_window(window), m_trap(window, "modCSV", procedure), m_rules(window, rules),
          m_fromText(fromText), m_vcardText(vcardText)
    {
    }

    void run(const std::string& csvPath, const std::string& separator);

private:
    /// Feeds the lines of every contact of every listed file (or of the given text) to
    /// `sink`, calling beforeContact and afterContact around each contact, and drives the
    /// progress bar per file.
    void walkContacts(FieldSink& sink, const std::function<void()>& beforeContact,
                      const std::function<void()>& afterContact);

    Window& m_window;
    ErrorTrap m_trap;
    PropertyRules m_rules;
    bool m_fromText;
    const std::string& m_vcardText;
};

void CombinedConversion::walkContacts(FieldSink& sink, const std::function<void()>& beforeContact,
                                      const std::function<void()>& afterContact)
{
    const int count = m_window.listCount();
    for (int i = 1; i <= count; ++i) {
        std::string path;
        std::string text;
        m_trap.step(1, [&] { m_window.setProgressValue(progressPercent(i, m_window.listCount())); });
        m_trap.step(2, [&] {
            path = m_window.listItem(i);
            m_window.setProgressText("Processing: " + GetFileName(path));
        });
        if (m_fromText && i > 1)
            return;
        m_trap.step(3, [&] { text = m_fromText ? m_vcardText : readWholeText(path); });
        m_trap.step(4, [&] { SplitMultiVCF(m_window, text, path, false); });
        m_trap.step(5, [&] {
            m_window.setProgressText("Processing: " + GetFileName(path));
            m_window.refresh();
            m_window.yield();
        });
        m_trap.step(6, [&] {
            for (const std::string& contact : SplitContacts) {
                beforeContact();
                m_rules.startContact();
                std::string_view rest = contact;
                while (!rest.empty()) {
                    const auto lineEnd = rest.find('\n');
                    m_rules.recognize(rest.substr(0, lineEnd), sink);
                    rest = lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);
                }
                afterContact();
            }
        });
    }
}

void CombinedConversion::run(const std::string& csvPath, const std::string& separator)
{
    HeaderList headers;
    ColumnCollector collector(headers);
    walkContacts(collector, [] {}, [] {});
    if (headers.empty())
        return;

    TargetFile target(csvPath);
    RowBuilder row(separator);
    m_trap.step(7, [&] {
        const bool quotes = m_window.checkValue(Control::Check9) == 1;
        for (const auto& name : headers.names())
            row.append(name, RowKind::Header, quotes);
        target.writeLine(row.finish(), kReplace);
    });

    ValuePlacer placer(headers);
    walkContacts(
        placer,
        [&] {
            for (auto& value : placer.values)
                value.clear();
        },
        [&] {
            row.clear();
            const bool quotes = m_window.checkValue(Control::Check9) == 1;
            for (const auto& value : placer.values)
                row.append(value, RowKind::Data, quotes);
            target.writeLine(row.finish(), kAppend);
        });
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
