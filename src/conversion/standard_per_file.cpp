#include "conversion/standard_per_file.h"

#include <string_view>
#include <vector>

#include "base/error_trap.h"
#include "base/progress.h"
#include "conversion/output_path.h"
#include "conversion/property_rules.h"
#include "conversion/row_writer.h"
#include "textio/text_reader.h"
#include "textio/text_writer.h"

namespace brimwell {

namespace {

struct PerFileVariant {
    std::string_view procedure;
    RuleSet rules;
    bool showsProgress;
};

/// The fields of one file, in the order found.
struct FieldLists final : FieldSink {
    std::vector<std::string> names;
    std::vector<std::string> values;
    void field(std::string_view name, std::string_view value) override
    {
        names.emplace_back(name);
        values.emplace_back(value);
    }
};

/// One line of the CSV from `texts`, with the progress bar following the columns.
std::string buildRow(Window& window, const std::vector<std::string>& texts, RowKind kind,
                     const std::string& separator, const std::string& vcfPath, bool showsProgress)
{
    RowBuilder row(separator);
    const auto lastIndex = static_cast<long long>(texts.size()) - 1;
    for (long long i = 0; i <= lastIndex; ++i) {
        if (showsProgress) {
            window.yield();
            // A one-column file leaves the value as it was: there is nothing to divide by.
            if (lastIndex > 0)
                window.setProgressValue(progressPercent(i, lastIndex));
            window.setProgressText("Processing: " + vcfPath);
        }
        row.append(texts[static_cast<std::size_t>(i)], kind, isTicked(window, Control::Check9));
    }
    return std::string(row.finish());
}

void convertFileToCsv(Window& window, const std::string& vcfPath, const std::string& separator,
                      const PerFileVariant& variant)
{
    ErrorTrap trap(window, "modCSV", variant.procedure);
    std::string targetPath;
    LineArray lines;
    FieldLists fields;
    std::string header;
    std::string data;

    if (!clearPerFileTarget(trap, window, vcfPath, targetPath))
        return;
    TargetFile target(targetPath, &window);
    trap.step(3, [&] { lines = ReadFileLines(vcfPath); });
    trap.step(4, [&] {
        PropertyRules rules(window, variant.rules);
        rules.startContact();
        for (std::string_view line : lines)
            rules.recognize(line, fields);
    });
    trap.step(5, [&] {
        header = buildRow(window, fields.names, RowKind::Header, separator, vcfPath,
                          variant.showsProgress);
    });
    trap.step(6, [&] { target.writeLine(header, kAppend); });
    trap.step(7, [&] {
        data = buildRow(window, fields.values, RowKind::Data, separator, vcfPath,
                        variant.showsProgress);
    });
    trap.step(8, [&] { target.writeLine(data, kAppend); });
    target.close();
}

}  // namespace

void ConvertTresko(Window& window, const std::string& vcfPath, const std::string& separator)
{
    convertFileToCsv(window, vcfPath, separator,
                     {"ConvertTresko", RuleSet::AllWithParameters, true});
}

void ConvertTreskoLimit(Window& window, const std::string& vcfPath, const std::string& separator)
{
    convertFileToCsv(window, vcfPath, separator, {"ConvertTreskoLimit", RuleSet::Filtered, false});
}

}  // namespace brimwell
